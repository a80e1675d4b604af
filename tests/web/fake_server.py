#!/usr/bin/python3
"""A stand-in for `fortuna servidor` that speaks the table protocol (docs/protocol.md) for the
page's tests: the page's files at /, the protocol at /ws, and each started table played by the
real program, headless, fed its seats' keys and read through its transcript.

Usage: fake_server.py --fortuna BUILD/fortuna --web WEB_DIR [--clock HH:MM:SS]
It prints "port N" on its first line once it listens on 127.0.0.1 (port chosen by the OS) and
stops when its standard input closes.
"""
import argparse
import asyncio
import http
import json
import mimetypes
import os
import re
import secrets
import sys
import time
import unicodedata

import websockets

NAMES = [
    "Bigotes, el gato andalú", "Sir Reginald, el apenado marido", "Vanessa, la hija pija",
    "Kevin, el hijo rockero", "Zivi Edna Pickford la cotilla, su mejor amiga", "Anselmo, el chófer",
    "Gaspar, el mayordomo", "Miss Olga Curlwood, su peluquera de toda la vida",
    "Miss Ursula Moonbeam, su vidente personal", "Mister Felix Vaultman, su banquero de confianza",
]
KEY = re.compile(r"^(Shift\+)?(Ctrl\+)?(Alt\+)?([0-9A-Z]|Space|Enter|Escape|Tab|Left|Right|Up|Down|F([1-9]|1[0-2]))$")
CLIENT_KEYS = {"F1", "F5", "F7", "F8", "F9", "F10", "Control", "PageUp", "PageDown", "Home", "End"}
MAX_FRAME = 4096
FLOOD = 20


def start_screen_lines(characters):
    """The start-screen keys that give the held characters to people, renamed; the seat prefix
    makes the game seated from its first line, as a seated key script is."""
    lines = []
    for number, c in enumerate(characters, 1):
        if c["holder"]:
            lines.append("1: Space")
            if c["name"] != NAMES[number - 1]:
                lines += ["1: F2", "text: " + c["name"]]
        lines.append("1: Right")
    lines.append("1: Enter")
    return lines


def wait_name(event):
    before, after = event.get("wait_before"), event.get("wait_after")
    return "both" if before and after else "before" if before else "after" if after else "none"


def good_name(text):
    if not isinstance(text, str):
        return None
    text = text.strip()
    if not text or any(unicodedata.category(ch) == "Cc" for ch in text) or len(text) > 60:
        return None
    return text


class Person:
    def __init__(self, name):
        self.name = name
        self.token = secrets.token_hex(16)
        self.ws = None
        self.table = None
        self.role = None
        self.n = 0
        self.missed = []
        self.heard = []
        self.choices = []
        self.question = ""

    def seat(self):
        if not self.table:
            return None
        for number, c in enumerate(self.table.characters, 1):
            if c["holder"] is self:
                return number
        return None


class Table:
    def __init__(self, name, creator):
        self.name = name
        self.creator = creator
        self.people = []
        self.characters = [{"name": n, "holder": None} for n in NAMES]
        self.started = False
        self.game = None
        self.in_game = False


class Server:
    def __init__(self, fortuna, clock):
        self.fortuna = fortuna
        self.clock = clock
        self.people = {}
        self.tables = {}

    # ---- sending ----
    async def send(self, person, message):
        if person.ws is not None:
            try:
                await person.ws.send(json.dumps(message, ensure_ascii=False))
                return True
            except websockets.ConnectionClosed:
                pass
        return False

    async def say(self, person, text, wait="none", audience="table", seat=None):
        person.n += 1
        message = {"type": "say", "text": text, "wait": wait, "audience": audience, "n": person.n}
        if seat:
            message["seat"] = seat
        person.heard = (person.heard + [{"text": text, "n": person.n}])[-500:]
        # A text sent into a connection already closing is as missed as one never sent.
        if person.ws is None or not person.ws.open or not await self.send(person, message):
            person.missed.append({"text": text, "n": person.n})
        if audience == "seat":
            person.question = text
        await self.update_choices(person)

    async def say_table(self, table, text):
        for p in list(table.people):
            await self.say(p, text)

    async def error(self, person, code, message):
        await self.send(person, {"type": "error", "code": code, "message": message})

    def roster(self, table, person):
        return {"type": "roster",
                "characters": [dict({"number": i, "name": c["name"]},
                                    **({"holder": c["holder"].name} if c["holder"] else {}),
                                    **({"yours": True} if c["holder"] is person else {}))
                               for i, c in enumerate(table.characters, 1)],
                "creator": table.creator.name,
                "started": table.started,
                "players": [p.name for p in table.people if p.role == "player"],
                "onlookers": sum(1 for p in table.people if p.role == "onlooker")}

    async def send_roster(self, table):
        for p in table.people:
            await self.send(p, self.roster(table, p))

    async def update_choices(self, person):
        """What a real server knows from the game, guessed here from the seat's last question."""
        choices = []
        table = person.table
        if table and table.started and person.role == "player" and person.seat():
            q = person.question
            discard = "¿Qué carta" in q
            if discard:
                # The cards are listed before the question, the rooms and targets after it.
                q = q[:q.index("¿Qué carta")]
            if "¿A qué habitación" in q and not discard:
                q = q[q.index("¿A qué habitación"):]
            if "¿A qué habitación" in q or discard or "Elija el jugador" in q:
                seen = set()
                items = list(re.finditer(r"(\d+)\. ", q))
                for item, after in zip(items, items[1:] + [None]):
                    number = item.group(1)
                    name = q[item.end():after.start() if after else len(q)]
                    name = re.split(r"[:.;(]", name)[0].strip(" ,").removesuffix(" y").strip(" ,")
                    if number not in seen and name:
                        seen.add(number)
                        choices.append({"key": number, "name": number + ". " + name.strip(" ,")})
                if discard:
                    choices += [{"key": "Ctrl+" + c["key"], "name": "Descartar " + c["name"]}
                                for c in list(choices)]
            choices += [{"key": "Space", "name": "Continuar"}, {"key": "C", "name": "Sus cartas"},
                        {"key": "P", "name": "Su situación"}, {"key": "H", "name": "El heredero actual"}]
        if choices != person.choices:
            person.choices = choices
            await self.send(person, {"type": "choices", "choices": choices})

    # ---- the game ----
    async def start_game(self, table):
        table.game = await asyncio.create_subprocess_exec(
            self.fortuna, "--frontend", "headless", "--speech", "none", "--no-settings",
            "--clock", self.clock, "--transcript", "-",
            stdin=asyncio.subprocess.PIPE, stdout=asyncio.subprocess.PIPE,
            stderr=asyncio.subprocess.DEVNULL)
        asyncio.ensure_future(self.read_game(table))
        for line in start_screen_lines(table.characters):
            table.game.stdin.write((line + "\n").encode())
        await table.game.stdin.drain()

    async def read_game(self, table):
        async for raw in table.game.stdout:
            event = json.loads(raw)
            if event.get("event") == "show" and event.get("window") == "main":
                table.in_game = True
            elif event.get("event") == "close" and event.get("window") == "main":
                table.in_game = False
            if not table.in_game or event.get("event") != "speak":
                continue
            await self.route(table, event)

    async def route(self, table, event):
        wait = wait_name(event)
        audience = event.get("audience", "table")
        only = event.get("only")
        for p in list(table.people):
            seat = p.seat() if p.role == "player" else None
            if audience == "table":
                if only is None or (seat or 0) in only:
                    await self.say(p, event["text"], wait, "table")
            elif seat is not None and event.get("seat") == seat:
                await self.say(p, event["text"], wait, audience, seat)

    # ---- requests ----
    async def handle(self, person, m):
        kind = m.get("type")
        table = person.table
        if kind == "list":
            await self.send(person, {"type": "tables", "tables": [
                {"name": t.name, "players": sum(1 for p in t.people if p.role == "player"),
                 "onlookers": sum(1 for p in t.people if p.role == "onlooker"),
                 "started": t.started,
                 "free": [i for i, c in enumerate(t.characters, 1) if not c["holder"]]}
                for t in self.tables.values()]})
        elif kind in ("create", "join"):
            name = good_name(m.get("table"))
            if table:
                return await self.error(person, "already_at_table", "Ya está en una mesa.")
            if not name:
                return await self.error(person, "bad_name", "El nombre de la mesa no vale.")
            if kind == "create":
                if name in self.tables:
                    return await self.error(person, "table_exists", "Ya hay una mesa con ese nombre.")
                self.tables[name] = Table(name, person)
                role = "player"
            else:
                if name not in self.tables:
                    return await self.error(person, "no_such_table", "No hay ninguna mesa con ese nombre.")
                role = "onlooker" if m.get("as") == "onlooker" else "player"
            table = self.tables[name]
            person.table, person.role, person.n = table, role, 0
            table.people.append(person)
            await self.send(person, {"type": "joined", "table": name, "as": role,
                                     "creator": table.creator is person, "started": table.started})
            await self.send_roster(table)
            await self.say_table(table, person.name + (" llega a la mesa." if role == "player" else " escucha la mesa."))
        elif not table:
            await self.error(person, "not_at_table", "No está en ninguna mesa.")
        elif kind == "leave":
            seat = person.seat()
            if seat:
                table.characters[seat - 1]["holder"] = None
            table.people.remove(person)
            person.table = None
            person.choices = []
            await self.send_roster(table)
            await self.say_table(table, person.name + " deja la mesa.")
        elif kind in ("take", "release", "rename", "start", "key") and person.role != "player":
            await self.error(person, "onlooker", "Está escuchando la mesa.")
        elif kind == "take":
            number = m.get("character")
            if not isinstance(number, int) or not 1 <= number <= 10:
                return await self.error(person, "malformed", "Ese personaje no existe.")
            c = table.characters[number - 1]
            if c["holder"]:
                return await self.error(person, "taken", c["name"] + " ya tiene quien lo juegue.")
            old = person.seat()
            if old:
                table.characters[old - 1]["holder"] = None
            c["holder"] = person
            await self.send_roster(table)
            await self.say_table(table, person.name + " toma a " + c["name"] + ".")
        elif kind in ("release", "rename"):
            number = m.get("character")
            if person.seat() != number:
                return await self.error(person, "not_yours", "Ese personaje no es suyo.")
            c = table.characters[number - 1]
            if kind == "release":
                c["holder"] = None
                await self.send_roster(table)
                await self.say_table(table, person.name + " deja a " + c["name"] + ".")
            else:
                if table.started:
                    return await self.error(person, "started", "La partida ya ha empezado.")
                name = good_name(m.get("name"))
                if not name:
                    return await self.error(person, "bad_name", "Ese nombre no vale.")
                old, c["name"] = c["name"], name
                await self.send_roster(table)
                await self.say_table(table, old + " se llama ahora " + name + ".")
        elif kind == "start":
            if table.creator is not person:
                return await self.error(person, "not_creator", "Sólo quien creó la mesa la empieza.")
            if table.started:
                return await self.error(person, "started", "La partida ya ha empezado.")
            table.started = True
            await self.send_roster(table)
            await self.say_table(table, person.name + " empieza la partida.")
            await self.start_game(table)
        elif kind == "key":
            key = m.get("key")
            if not isinstance(key, str) or not KEY.match(key) or key in CLIENT_KEYS:
                return await self.error(person, "bad_key", "Esa tecla no existe.")
            if not table.started:
                return await self.error(person, "not_started", "La partida no ha empezado.")
            seat = person.seat()
            if not seat:
                return await self.error(person, "no_character", "No juega con ningún personaje.")
            table.game.stdin.write(("%d: %s\n" % (seat, key)).encode())
            await table.game.stdin.drain()
        else:
            await self.error(person, "unknown_type", "No se entiende la petición.")

    async def come_back(self, person, seen):
        table = person.table
        await self.send(person, {"type": "joined", "table": table.name, "as": person.role,
                                 "creator": table.creator is person, "started": table.started})
        await self.send(person, self.roster(table, person))
        missed, person.missed = person.missed, []
        if isinstance(seen, int):
            missed = [h for h in person.heard if h["n"] > seen]
        await self.send(person, {"type": "missed", "texts": missed})
        seat = person.seat()
        who = "Vuelve a la mesa " + table.name + (
            ", con " + table.characters[seat - 1]["name"] + "." if seat else ".")
        await self.say(person, who, "none", "asker", seat)
        person.choices = None
        await self.update_choices(person)

    async def connection(self, ws, path):
        person = None
        sent = []
        try:
            async for frame in ws:
                if isinstance(frame, bytes) or len(frame.encode()) > MAX_FRAME:
                    await ws.send(json.dumps({"type": "error", "code": "too_large", "message": "Mensaje demasiado grande."}))
                    break
                now = time.monotonic()
                sent = [t for t in sent if now - t < 1] + [now]
                if len(sent) > FLOOD:
                    await ws.send(json.dumps({"type": "error", "code": "flood", "message": "Demasiados mensajes."}))
                    break
                try:
                    m = json.loads(frame)
                    assert isinstance(m, dict) and isinstance(m.get("type"), str)
                except (ValueError, AssertionError):
                    await ws.send(json.dumps({"type": "error", "code": "malformed", "message": "Mensaje mal formado."}))
                    continue
                if person is None:
                    if m["type"] != "hello":
                        await ws.send(json.dumps({"type": "error", "code": "hello_first", "message": "Primero, hello."}))
                        continue
                    if m.get("version") != 1:
                        await ws.send(json.dumps({"type": "error", "code": "version", "message": "Versión desconocida."}))
                        break
                    token = m.get("token")
                    if token and token not in self.people:
                        await ws.send(json.dumps({"type": "error", "code": "unknown_token", "message": "No le conozco."}))
                        continue
                    name = good_name(m.get("name"))
                    if not token and not name:
                        await ws.send(json.dumps({"type": "error", "code": "bad_name", "message": "Ese nombre no vale."}))
                        continue
                    resumed = bool(token)
                    person = self.people[token] if token else Person(name)
                    self.people[person.token] = person
                    if person.ws is not None:
                        old = person.ws
                        await self.send(person, {"type": "goodbye", "reason": "replaced", "message": "Ha entrado desde otro sitio."})
                        await old.close()
                    person.ws = ws
                    await self.send(person, {"type": "welcome", "version": 1, "token": person.token,
                                             "name": person.name, "resumed": resumed})
                    if resumed and person.table:
                        await self.come_back(person, m.get("seen"))
                    continue
                await self.handle(person, m)
        except websockets.ConnectionClosed:
            pass
        finally:
            if person is not None and person.ws is ws:
                person.ws = None
                if person.table:
                    for p in person.table.people:
                        if p is not person:
                            await self.say(p, person.name + " se ha ausentado.")


def http_files(web):
    root = os.path.realpath(web)

    async def process_request(path, headers):
        path = path.split("?", 1)[0]
        if path == "/ws":
            return None
        if path == "/":
            path = "/index.html"
        full = os.path.realpath(os.path.join(root, path.lstrip("/")))
        if not full.startswith(root + os.sep) or not os.path.isfile(full):
            return http.HTTPStatus.NOT_FOUND, [("Content-Type", "text/plain")], b"No existe.\n"
        kind = mimetypes.guess_type(full)[0] or "application/octet-stream"
        if kind.startswith("text/") or kind.endswith("javascript"):
            kind += "; charset=utf-8"
        with open(full, "rb") as f:
            body = f.read()
        return http.HTTPStatus.OK, [("Content-Type", kind), ("Cache-Control", "no-cache")], body
    return process_request


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fortuna", required=True)
    parser.add_argument("--web", required=True)
    parser.add_argument("--clock", default="21:07:45")
    args = parser.parse_args()
    server = Server(args.fortuna, args.clock)
    async with websockets.serve(server.connection, "127.0.0.1", 0, max_size=None,
                                process_request=http_files(args.web)) as ws_server:
        port = ws_server.sockets[0].getsockname()[1]
        print("port", port, flush=True)
        # Ends when whoever started it closes standard input (or dies).
        await asyncio.get_running_loop().run_in_executor(None, sys.stdin.read)
        for t in server.tables.values():
            if t.game and t.game.returncode is None:
                t.game.kill()
                await t.game.wait()


if __name__ == "__main__":
    asyncio.run(main())

"""What the page's tests share: a table server on loopback, headless Chromium pages, a protocol
client standing in for a native one, and the seated game's expected streams."""
import asyncio
import ctypes
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import websockets
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
WEB = os.path.join(SOURCE, "web")
sys.path.insert(0, HERE)
import fake_server  # noqa: E402

BUILD = os.environ.get("FORTUNA_BUILD", os.path.join(SOURCE, "build"))
ARTIFACTS = os.path.join(BUILD, "web-artifacts")
# The server may come from another build, to try a page and a client against a server to be.
SERVER_PROGRAM = os.environ.get("FORTUNA_SERVER_PROGRAM", os.path.join(BUILD, "fortuna"))
CLOCK = "21:07:45"
# Keys a client answers itself never reach a server, so a script of them has no place here.
LOCAL_KEYS = fake_server.CLIENT_KEYS


def wait_until(what, predicate, timeout=15.0, step=0.05):
    """Polls predicate until it returns something true; fails, naming what, after timeout."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        last = predicate()
        if last:
            return last
        time.sleep(step)
    raise AssertionError("timed out waiting for %s (last: %r)" % (what, last))


def has_real_server():
    """Whether this build has `fortuna servidor`; FORTUNA_TABLE_SERVER=fake forces the stand-in."""
    if os.environ.get("FORTUNA_TABLE_SERVER") == "fake":
        return False
    return re.search(r"^\s+servidor\b", program_help(SERVER_PROGRAM), re.M) is not None


def end_with_parent():
    """A server whose test dies is ended with it instead of listening on."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


class TableServer:
    """The table server on a port the OS chose: `fortuna servidor` with a journal of its own, or
    the stand-in (stopped by closing its standard input)."""

    def __init__(self, real):
        self.real = real
        self.data = tempfile.mkdtemp(prefix="fortuna-tables-")
        if real:
            command = [SERVER_PROGRAM, "servidor", "--puerto", "0", "--datos", self.data,
                       "--reloj", CLOCK]
        else:
            command = [sys.executable, os.path.join(HERE, "fake_server.py"), "--fortuna",
                       os.path.join(BUILD, "fortuna"), "--web", WEB, "--clock", CLOCK]
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, preexec_fn=end_with_parent)
        line = self.process.stdout.readline()
        found = re.search(r"^port (\d+)$|http://127\.0\.0\.1:(\d+)/", line)
        if not found:
            self.stop()
            raise RuntimeError("the table server did not say its port: %r" % line)
        port = found.group(1) or found.group(2)
        self.url = "http://127.0.0.1:%s/" % port
        self.ws_url = "ws://127.0.0.1:%s/ws" % port

    def stop(self):
        if self.process.poll() is None:
            if self.real:
                self.process.terminate()
            self.process.stdin.close()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()
        shutil.rmtree(self.data, ignore_errors=True)


# Every frame the page receives, recorded before the page's own script runs.
RECORD_FRAMES = """
window.__frames = [];
window.__added = [];
const Native = window.WebSocket;
window.WebSocket = function (url, protocols) {
  const ws = new Native(url, protocols);
  window.__sent = [];
  const send = ws.send.bind(ws);
  ws.send = (data) => { window.__sent.push(JSON.parse(data)); send(data); };
  window.__opened = performance.now();
  ws.addEventListener('open', () => { window.__open = performance.now(); });
  ws.addEventListener('message', (e) => {
    const f = JSON.parse(e.data);
    f.__at = performance.now();
    window.__frames.push(f);
  });
  return ws;
};
window.WebSocket.prototype = Native.prototype;
document.addEventListener('DOMContentLoaded', () => {
  const log = document.getElementById('historial');
  new MutationObserver((records) => {
    for (const r of records) for (const node of r.addedNodes)
      window.__added.push({text: node.textContent, live: log.getAttribute('aria-live'), at: performance.now()});
  }).observe(log, {childList: true});
});
"""


def new_browser(width=1280, height=900, font_size=None):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    profile = tempfile.mkdtemp(prefix="fortuna-chromium-")
    for flag in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--no-first-run", "--lang=es", "--user-data-dir=" + profile,
                 "--window-size=%d,%d" % (width, height)):
        options.add_argument(flag)
    if font_size:
        options.add_experimental_option("prefs", {"webkit.webprefs.default_font_size": font_size})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.profile_dir = profile
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": RECORD_FRAMES})
    # The viewport, not the window, is what a phone has.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1,
                            "mobile": width < 600})
    return driver


def quit_browser(driver):
    try:
        driver.quit()
    finally:
        shutil.rmtree(driver.profile_dir, ignore_errors=True)


class ProtocolClient:
    """A person at the table without a page: the native client's place, over the protocol."""

    def __init__(self, url):
        self.url = url
        self.messages = []
        self.lock = threading.Lock()
        self.loop = asyncio.new_event_loop()
        self.ready = threading.Event()
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()
        if not self.ready.wait(10):
            raise RuntimeError("the protocol client could not connect")

    def _run(self):
        asyncio.set_event_loop(self.loop)
        self.loop.run_until_complete(self._main())

    async def _main(self):
        async with websockets.connect(self.url) as ws:
            self.ws = ws
            self.ready.set()
            try:
                async for frame in ws:
                    with self.lock:
                        self.messages.append(json.loads(frame))
            except websockets.ConnectionClosed:
                pass

    def send(self, **message):
        asyncio.run_coroutine_threadsafe(self.ws.send(json.dumps(message)), self.loop).result(5)

    def said(self):
        with self.lock:
            return [m["text"] for m in self.messages if m["type"] == "say"]

    def last(self, kind):
        with self.lock:
            found = [m for m in self.messages if m["type"] == kind]
        return found[-1] if found else None

    def close(self):
        asyncio.run_coroutine_threadsafe(self.ws.close(), self.loop).result(5)
        self.thread.join(5)


def has_native_client():
    return re.search(r"^\s+conectar\b", program_help(), re.M) is not None


def program_help(program=None):
    done = subprocess.run([program or os.path.join(BUILD, "fortuna"), "--help"], capture_output=True,
                          text=True, timeout=30, env=dict(os.environ, LANGUAGE="", LANG="C.UTF-8"))
    return done.stdout


class NativeClient:
    """`fortuna conectar`, headless: keys written to it as a person types them, what it says read
    from its transcript."""

    def __init__(self, server, table, name):
        self.folder = tempfile.mkdtemp(prefix="fortuna-conectar-")
        self.transcript = os.path.join(self.folder, "heard.jsonl")
        address = server.url.split("//")[1].rstrip("/")
        self.process = subprocess.Popen(
            [os.path.join(BUILD, "fortuna"), "--frontend", "headless", "--speech", "none",
             "--no-settings", "--transcript", self.transcript, "conectar", address,
             "--mesa", table, "--nombre", name],
            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True,
            preexec_fn=end_with_parent)

    def press(self, key):
        self.process.stdin.write(key + "\n")
        self.process.stdin.flush()

    def events(self):
        try:
            with open(self.transcript, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except FileNotFoundError:
            return []
        # The last line may be half written.
        return [json.loads(line) for line in lines[:-1] if line]

    def said(self):
        """What it said once the game began, as the seat's stream is compared."""
        texts, playing = [], False
        for event in self.events():
            if event["event"] == "show" and event.get("window") == "main":
                playing = True
            elif playing and event["event"] == "speak":
                texts.append(event["text"])
        return texts

    def close(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def seated_script():
    """The seated golden game's keys, less those a client answers itself and the keyboard's."""
    lines = []
    with open(os.path.join(SOURCE, "tests", "golden", "seated.keys"), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if ":" not in line or line.startswith("#"):
                continue
            seat, key = line.split(":", 1)
            key = key.strip()
            if key not in LOCAL_KEYS:
                lines.append((int(seat), key))
    return lines


def expected_streams(seats, keys):
    """Plays the keys headless, seated, and returns each seat's stream of the game's texts, each
    text with the index of the key it answers (-1: before the first) and its wait."""
    characters = [{"name": n, "holder": (number in seats) or None}
                  for number, n in enumerate(fake_server.NAMES, 1)]
    folder = tempfile.mkdtemp(prefix="fortuna-web-")
    try:
        script = os.path.join(folder, "game.keys")
        transcript = os.path.join(folder, "game.jsonl")
        with open(script, "w", encoding="utf-8") as f:
            f.write("\n".join(fake_server.start_screen_lines(characters)) + "\n")
            f.write("".join("%d: %s\n" % (seat, key) for seat, key in keys))
        subprocess.run([os.path.join(BUILD, "fortuna"), "--keys", script, "--clock", CLOCK,
                        "--transcript", transcript, "--no-settings"], check=True, timeout=60)
        with open(transcript, encoding="utf-8") as f:
            events = [json.loads(line) for line in f]
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    streams = {seat: [] for seat in seats}
    in_game = False
    key_index = -1
    for event in events:
        if event["event"] == "show" and event["window"] == "main":
            in_game = True
        if not in_game:
            continue
        if event["event"] == "key":
            key_index += 1
        if event["event"] != "speak":
            continue
        for seat in seats:
            if event["audience"] == "table":
                hears = "only" not in event or seat in event["only"]
            else:
                hears = event.get("seat") == seat
            if hears:
                streams[seat].append((key_index, event["text"], fake_server.wait_name(event)))
    return streams

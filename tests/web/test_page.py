"""The page in a real browser: whole games heard seat by seat, the accessibility tree and an
axe-core audit, phone and desktop layouts, the page's own keys and voice, and coming back after a
reload."""
import base64
import json
import os
import time
import unittest

from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import harness
from harness import wait_until

TABLE = "Mesa de prueba"
AXE = os.path.join(harness.HERE, "node_modules", "axe-core", "axe.min.js")
SELENIUM_KEYS = {"Space": Keys.SPACE, "Enter": Keys.ENTER, "F6": Keys.F6, "F1": Keys.F1,
                 "F5": Keys.F5, "PageUp": Keys.PAGE_UP, "PageDown": Keys.PAGE_DOWN,
                 "Home": Keys.HOME, "End": Keys.END, "Escape": Keys.ESCAPE}


def log(driver):
    return driver.execute_script("return window.fortunaLog()")


def frames(driver, kind):
    return [f for f in driver.execute_script("return window.__frames") if f["type"] == kind]


def press(driver, key):
    """A key as a person presses it on the page; the page's Shift+digit stands for Ctrl+digit."""
    pad = driver.find_element(By.ID, "teclado")
    if driver.switch_to.active_element != pad:
        pad.click()
    actions = ActionChains(driver)
    if key.startswith("Ctrl+"):
        actions.key_down(Keys.SHIFT).send_keys(key[-1]).key_up(Keys.SHIFT)
    else:
        actions.send_keys(SELENIUM_KEYS.get(key, key.lower()))
    actions.perform()


def enter(driver, url, name):
    driver.get(url)
    field = wait_until("the name field", lambda: [e for e in driver.find_elements(By.ID, "nombre") if e.is_displayed()])[0]
    field.send_keys(name)
    field.submit()
    wait_until("the table list", lambda: driver.find_element(By.ID, "vista-mesas").is_displayed())


def click_button(driver, text, timeout=10):
    """Clicks the shown, enabled button whose text begins so, once the page has drawn it; lists
    redrawn meanwhile are looked at again."""
    def click():
        try:
            for b in driver.find_elements(By.TAG_NAME, "button"):
                if b.is_displayed() and b.is_enabled() and b.text.startswith(text):
                    b.click()
                    return True
        except StaleElementReferenceException:
            pass
        return False
    wait_until("a button \"%s\"" % text, click, timeout)


def ends_with(texts, tail):
    return not tail or texts[-len(tail):] == tail


class PlayedTable:
    """Two pages (seats 1 and 7) and the native client, headless (seat 4), at one table; a
    protocol client stands in for the native one in a build without it."""
    SEATS = (1, 4, 7)

    def __init__(self, server):
        self.server = server
        self.pages = {}
        self.client = None
        try:
            self._sit()
        except BaseException:
            self.close()
            raise

    def _sit(self):
        ana = self.pages[1] = harness.new_browser()
        enter(ana, self.server.url, "Ana")
        ana.find_element(By.ID, "nombre-mesa").send_keys(TABLE)
        click_button(ana, "Crear mesa")
        click_button(ana, "1. Bigotes")
        luis = self.pages[7] = harness.new_browser(390, 844)
        enter(luis, self.server.url, "Luis")
        click_button(luis, "Actualizar")
        click_button(luis, "Jugar en " + TABLE)
        click_button(luis, "7. Gaspar")
        if harness.has_native_client():
            self.client = harness.NativeClient(self.server, TABLE, "Carmen")
            wait_until("Carmen at the table", lambda: any(
                "Carmen" in r.get("players", []) for r in frames(ana, "roster")))
            for key in ("Right", "Right", "Right", "Space"):
                self.client.press(key)
        else:
            self.client = harness.ProtocolClient(self.server.ws_url)
            self.client.send(type="hello", version=1, name="Carmen")
            self.client.send(type="join", table=TABLE, **{"as": "player"})
            self.client.send(type="take", character=4)

        def all_held():
            roster = frames(ana, "roster")
            return roster and sorted(c["number"] for c in roster[-1]["characters"] if "holder" in c) == [1, 4, 7]
        wait_until("every seat held", all_held)

    def start(self):
        click_button(self.pages[1], "Empezar la partida")

    def texts(self, seat):
        return self.client.said() if seat == 4 else log(self.pages[seat])

    def press(self, seat, key):
        if seat != 4:
            press(self.pages[seat], key)
        elif isinstance(self.client, harness.NativeClient):
            self.client.press(key)
        else:
            self.client.send(type="key", key=key)

    def wait_for(self, streams, upto):
        """Until every seat has heard its texts up to the answer of key upto."""
        for seat in self.SEATS:
            tail = [t for k, t, _ in streams[seat] if k <= upto][-3:]
            wait_until("seat %d hearing %r" % (seat, tail[-1:]), lambda: ends_with(self.texts(seat), tail))

    def close(self):
        for page in self.pages.values():
            harness.quit_browser(page)
        if self.client:
            self.client.close()


class BrowserTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        os.makedirs(harness.ARTIFACTS, exist_ok=True)
        cls.keys = harness.seated_script()
        cls.streams = harness.expected_streams(PlayedTable.SEATS, cls.keys)
        cls.real_server = harness.has_real_server()
        print("\ntable server: %s; seat 4: %s" % (
            "fortuna servidor" if cls.real_server else "the stand-in",
            "fortuna conectar" if harness.has_native_client() else "a protocol client"))

    def setUp(self):
        self.server = harness.TableServer(self.real_server)
        self.addCleanup(self.server.stop)

    def shot(self, driver, name):
        """The whole page, top to bottom, as wide as its viewport."""
        size = driver.execute_cdp_cmd("Page.getLayoutMetrics", {})["cssContentSize"]
        width = driver.execute_script("return document.documentElement.clientWidth")
        shot = driver.execute_cdp_cmd("Page.captureScreenshot", {
            "captureBeyondViewport": True,
            "clip": {"x": 0, "y": 0, "width": width, "height": size["height"], "scale": 1}})
        with open(os.path.join(harness.ARTIFACTS, name + ".png"), "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def audit(self, driver, where):
        with open(AXE, encoding="utf-8") as f:
            driver.execute_script(f.read())
        result = driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "axe.run(document).then((r) => done(JSON.stringify(r.violations)), (e) => done(String(e)));")
        violations = json.loads(result)
        self.assertEqual([], [(v["id"], [n["target"] for n in v["nodes"]]) for v in violations], where)
        return violations

    def check_layout(self, driver, where):
        """No sideways scrolling, and every button a finger can hit."""
        scroll = driver.execute_script(
            "return [document.documentElement.scrollWidth, document.documentElement.clientWidth]")
        self.assertLessEqual(scroll[0], scroll[1], where + ": the page scrolls sideways")
        small = driver.execute_script(
            "return Array.from(document.querySelectorAll('button')).filter((b) => b.offsetParent)"
            ".map((b) => [b.textContent, b.getBoundingClientRect()])"
            ".filter(([t, r]) => r.width < 44 || r.height < 44).map(([t]) => t)")
        self.assertEqual([], small, where + ": buttons under 44 px")

    def test_whole_game_each_seat_hears_its_own_stream(self):
        table = PlayedTable(self.server)
        self.addCleanup(table.close)
        ana, luis = table.pages[1], table.pages[7]
        before = {seat: len(table.texts(seat)) for seat in table.SEATS}
        with self.subTest("axe-core on the start screen"):
            self.audit(ana, "start screen")
        for page, size in ((ana, "escritorio"), (luis, "movil")):
            self.check_layout(page, "start screen, " + size)
            self.shot(page, "inicio-" + size)
        table.start()
        table.wait_for(self.streams, -1)
        self.assertEqual("teclado", ana.switch_to.active_element.get_attribute("id"),
                         "the start button's focus goes to the game's keys")
        for index, (seat, key) in enumerate(self.keys):
            table.press(seat, key)
            table.wait_for(self.streams, index)
            if index == len(self.keys) // 2:
                self.check_game_in_progress(table)
        for seat in table.SEATS:
            with self.subTest(seat=seat):
                heard = table.texts(seat)[before[seat]:]
                expected = [t for _, t, _ in self.streams[seat]]
                # The server may say the start in its own words before the game's first text.
                self.assertLessEqual(len(heard) - len(expected), 1)
                self.assertEqual(expected, heard[len(heard) - len(expected):])
        for seat in (1, 7):
            with self.subTest("the log cuts or queues as each text waits", seat=seat):
                added = table.pages[seat].execute_script("return window.__added")[-len(self.streams[seat]):]
                wanted = ["polite" if w in ("before", "both") else "assertive" for _, _, w in self.streams[seat]]
                self.assertEqual(wanted, [a["live"] for a in added])

    def check_game_in_progress(self, table):
        ana, luis = table.pages[1], table.pages[7]
        with self.subTest("accessibility tree"):
            nodes = ana.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
            role = lambda n: n.get("role", {}).get("value")
            name = lambda n: n.get("name", {}).get("value")
            logs = [n for n in nodes if role(n) == "log"]
            self.assertEqual(1, len(logs))
            self.assertEqual("Lo que se ha dicho", name(logs[0]))
            choices = frames(ana, "choices")[-1]["choices"]
            self.assertTrue(choices)
            buttons = {name(n) for n in nodes if role(n) == "button" and not n.get("ignored")}
            for choice in choices:
                self.assertIn(choice["name"], buttons)
        with self.subTest("axe-core in a game"):
            self.audit(ana, "game in progress")
        for page, size in ((ana, "escritorio"), (luis, "movil")):
            self.check_layout(page, "game, " + size)
            self.shot(page, "partida-" + size)

    def test_table_list_audit_layout_and_weight(self):
        client = harness.ProtocolClient(self.server.ws_url)
        self.addCleanup(client.close)
        client.send(type="hello", version=1, name="Carmen")
        client.send(type="create", table=TABLE)
        for width, height, size in ((390, 844, "movil"), (1280, 900, "escritorio")):
            page = harness.new_browser(width, height)
            try:
                page.get(self.server.url)
                wait_until("the name field", lambda: page.find_element(By.ID, "nombre").is_displayed())
                self.audit(page, "name, " + size)
                self.check_layout(page, "name, " + size)
                enter(page, self.server.url, "Ana")
                click_button(page, "Actualizar")
                wait_until("the table listed", lambda: TABLE in page.find_element(By.ID, "mesas").text)
                if size == "movil":
                    click_button(page, "Escuchar " + TABLE)
                    wait_until("the start screen", lambda: page.find_element(By.ID, "inicio").is_displayed())
                    click_button(page, "Dejar la mesa")
                    click_button(page, "Actualizar")
                    wait_until("the table listed", lambda: TABLE in page.find_element(By.ID, "mesas").text)
                self.check_layout(page, "table list, " + size)
                self.shot(page, "mesas-" + size)
                self.audit(page, "table list, " + size)
                # Dark and light each keep their contrast.
                page.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
                    {"name": "prefers-color-scheme", "value": "dark"}]})
                self.shot(page, "mesas-oscuro-" + size)
                self.audit(page, "table list, dark, " + size)
                page.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
                resources = page.execute_script(
                    "return performance.getEntriesByType('resource').map((r) => r.name)"
                    ".concat([location.href])")
                origin = self.server.url
                self.assertEqual([], [r for r in resources if not r.startswith(origin) and not r.startswith("ws://127.0.0.1")])
            finally:
                harness.quit_browser(page)
        weight = sum(os.path.getsize(os.path.join(harness.WEB, f)) for f in os.listdir(harness.WEB))
        print("\npage weight: %d bytes uncompressed" % weight)
        self.assertLessEqual(weight, 60 * 1024)

    def test_start_screen_take_rename_release_and_onlooker(self):
        ana, olga = harness.new_browser(), harness.new_browser(390, 844)
        self.addCleanup(harness.quit_browser, ana)
        self.addCleanup(harness.quit_browser, olga)
        enter(ana, self.server.url, "Ana")
        ana.find_element(By.ID, "nombre-mesa").send_keys(TABLE)
        click_button(ana, "Crear mesa")
        enter(olga, self.server.url, "Olga")
        click_button(olga, "Escuchar " + TABLE)
        click_button(ana, "3. Vanessa")
        click_button(ana, "Cambiar el nombre de Vanessa")
        field = ana.find_element(By.ID, "nuevo-nombre")
        self.assertEqual(field, ana.switch_to.active_element, "the name field takes the focus")
        field.clear()
        field.send_keys("Doña Ñandú" + Keys.ENTER)
        held = lambda page: page.find_element(By.ID, "personajes").text
        wait_until("the new name", lambda: "3. Doña Ñandú: suyo" in held(ana))
        self.assertTrue(ana.switch_to.active_element.text.startswith("3. Doña Ñandú"),
                        "the focus back on the character renamed")
        wait_until("the onlooker seeing it", lambda: "3. Doña Ñandú: de Ana" in held(olga))
        self.assertEqual([], [b.text for b in olga.find_elements(By.CSS_SELECTOR, "#personajes button")],
                         "an onlooker takes no character")
        self.assertFalse(olga.find_element(By.ID, "empezar").is_displayed())
        self.assertTrue(ana.find_element(By.ID, "empezar").is_displayed())
        said = len(log(olga))
        click_button(ana, "3. Doña Ñandú: suyo. Dejarlo")
        wait_until("the character free again", lambda: "3. Doña Ñandú: libre" in held(olga))
        wait_until("the table hearing it", lambda: len(log(olga)) > said)
        self.check_layout(olga, "start screen of an onlooker, movil")

    def test_larger_default_font_makes_the_page_larger(self):
        sizes = []
        for font in (16, 32):
            page = harness.new_browser(390, 844, font_size=font)
            try:
                page.get(self.server.url)
                sizes.append(page.execute_script(
                    "return parseFloat(getComputedStyle(document.querySelector('h1')).fontSize)"))
                self.check_layout(page, "font size %d" % font)
            finally:
                harness.quit_browser(page)
        self.assertAlmostEqual(sizes[1], 2 * sizes[0], delta=1)

    def test_reload_mid_game_brings_back_the_seat_and_what_was_missed(self):
        table = PlayedTable(self.server)
        self.addCleanup(table.close)
        luis = table.pages[7]
        table.start()
        table.wait_for(self.streams, -1)
        # Luis is away while seats 1 and 4 alone press keys.
        away = next(i for i in range(5, len(self.keys) - 3)
                    if all(s != 7 for s, _ in self.keys[i:i + 3]))
        for index in range(away):
            table.press(*self.keys[index])
            table.wait_for(self.streams, index)
        heard_before = log(luis)
        others = len(table.texts(1))
        luis.get("about:blank")
        # Texts sent while the server still thinks the page is there are lost with it.
        wait_until("the table hearing that Luis is away", lambda: len(table.texts(1)) > others)
        away_text = table.texts(1)[others]
        for index in range(away, away + 3):
            table.press(*self.keys[index])
            wait_until("seat 1 hearing key %d" % index, lambda: ends_with(
                [t for t in table.texts(1) if t != away_text],
                [t for k, t, _ in self.streams[1] if k <= index][-2:]))
        missed = [t for k, t, _ in self.streams[7] if away <= k < away + 3]
        self.assertTrue(missed, "the keys chosen say nothing to the table")
        game = {t for _, t, _ in self.streams[7]}
        luis.get(self.server.url)
        # Besides the game's texts, the table heard the server's own (Luis away, Luis back).
        wait_until("the missed texts", lambda: [t for t in log(luis)[len(heard_before):] if t in game] == missed)
        heard = log(luis)
        self.assertEqual(heard_before, heard[:len(heard_before)])
        self.assertTrue(luis.find_element(By.ID, "partida").is_displayed())
        added = luis.execute_script("return window.__added")
        first = added[0]["at"]
        nav = luis.execute_script("return performance.getEntriesByType('navigation')[0].startTime")
        steps = luis.execute_script(
            "const n = performance.getEntriesByType('navigation')[0];"
            "return [n.responseEnd, n.domContentLoadedEventEnd, window.__opened, window.__open,"
            " window.__frames[0].__at]")
        print("\nfirst text from the server after leaving and coming back: %.0f ms after navigation"
              " (page %.0f, parsed %.0f, socket asked %.0f, open %.0f, first frame %.0f)"
              % ((first - nav,) + tuple(x - nav for x in steps)))
        self.assertLess(first - nav, 5000)
        # The seat plays on from the page that came back.
        for index in range(away + 3, len(self.keys)):
            table.press(*self.keys[index])
            if self.keys[index][0] == 7:
                break
        tail = [t for k, t, _ in self.streams[7] if k <= index][-2:]
        wait_until("seat 7 playing on", lambda: ends_with(log(luis), tail))
        heard_before = log(luis)
        luis.refresh()
        wait_until("the summary after a reload", lambda: len(log(luis)) > len(heard_before))
        self.assertEqual(heard_before, log(luis)[:len(heard_before)])

    def test_page_keys_help_repeat_history_and_voice(self):
        page = harness.new_browser()
        try:
            page.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
              window.__spoken = [];
              speechSynthesis.speak = (u) => window.__spoken.push(['speak', u.text, u.lang]);
              speechSynthesis.cancel = () => window.__spoken.push(['cancel']);"""})
            enter(page, self.server.url, "Ana")
            self.assertFalse(page.find_element(By.ID, "voz").is_selected(), "the voice starts off")
            page.find_element(By.ID, "nombre-mesa").send_keys(TABLE)
            click_button(page, "Crear mesa")
            click_button(page, "1. Bigotes")
            click_button(page, "Empezar la partida")
            wait_until("the game's first choices", lambda: page.find_elements(By.CSS_SELECTOR, "#opciones button"))
            texts = wait_until("texts", lambda: len(log(page)) >= 3 and log(page))
            aviso = lambda: page.find_element(By.ID, "aviso").get_attribute("textContent")
            with self.subTest("F1 says the keys of now, then those of always"):
                press(page, "F1")
                names = [c["name"] for c in frames(page, "choices")[-1]["choices"]]
                said = wait_until("help", aviso)
                self.assertTrue(said.startswith("Teclas de ahora"))
                for n in names:
                    self.assertIn(n, said)
                self.assertIn("Mayúsculas y un dígito", said)
                self.assertLess(said.index(names[-1]), said.index("Teclas de siempre"))
            with self.subTest("F5 repeats the last text without adding to the log"):
                count = len(log(page))
                press(page, "F5")
                wait_until("the repeat", lambda: aviso() == log(page)[-1])
                self.assertEqual(count, len(log(page)))
            with self.subTest("Home, PageDown and End walk the history"):
                press(page, "Home")
                wait_until("the first entry", lambda: aviso() == "Primer mensaje: " + texts[0])
                press(page, "PageDown")
                wait_until("the second entry", lambda: aviso() == texts[1])
                press(page, "End")
                wait_until("the last entry", lambda: aviso().startswith("Último mensaje: "))
            with self.subTest("the voice, once on, cuts for texts that purge and queues the rest"):
                page.find_element(By.ID, "voz").click()
                page.execute_script("window.__spoken.length = 0")
                press(page, "Space")
                wait_until("spoken texts", lambda: len(page.execute_script("return window.__spoken")) >= 2)
                time.sleep(0.5)
                spoken = page.execute_script("return window.__spoken")
                says = [f for f in frames(page, "say")]
                heard = [s[1] for s in spoken if s[0] == "speak"]
                self.assertEqual(heard, [f["text"] for f in says][-len(heard):])
                for f in says[-len(heard):]:
                    i = spoken.index(["speak", f["text"], "es-ES"])
                    cut = i > 0 and spoken[i - 1] == ["cancel"]
                    self.assertEqual(f["wait"] in ("none", "after"), cut, f)
            with self.subTest("keys sent as the game names them"):
                sent = lambda: [m["key"] for m in page.execute_script("return window.__sent") if m["type"] == "key"]
                before = len(sent())
                pad = page.find_element(By.ID, "teclado")
                ActionChains(page).send_keys(Keys.F6).send_keys("d").send_keys("h").perform()
                ActionChains(page).key_down(Keys.CONTROL).send_keys("1").key_up(Keys.CONTROL).perform()
                ActionChains(page).key_down(Keys.SHIFT).send_keys("2").key_up(Keys.SHIFT).perform()
                ActionChains(page).send_keys(Keys.NUMPAD3).perform()
                wait_until("the keys sent", lambda: len(sent()) >= before + 6)
                self.assertEqual(["F6", "F6", "H", "Ctrl+1", "Ctrl+2", "3"], sent()[before:])
                self.assertEqual(pad, page.switch_to.active_element)
            with self.subTest("a key held down is sent once, and never beyond the server's limit"):
                sent = lambda: [m["key"] for m in page.execute_script("return window.__sent") if m["type"] == "key"]
                time.sleep(1.1)  # past the second of the keys before
                before = len(sent())
                page.execute_script("""
                  const pad = document.getElementById('teclado');
                  const press = (repeat) => pad.dispatchEvent(new KeyboardEvent('keydown',
                      {key: 'c', code: 'KeyC', repeat, bubbles: true, cancelable: true}));
                  press(false);
                  for (let i = 0; i < 30; i++) press(true);
                  for (let i = 0; i < 30; i++) press(false);""")
                keys = sent()[before:]
                self.assertEqual(["C"] * len(keys), keys)
                self.assertLessEqual(len(keys), 15)
                self.assertGreaterEqual(len(keys), 10)
                self.assertEqual([], frames(page, "goodbye"))
                self.assertEqual([], [f for f in frames(page, "error") if f["code"] == "flood"])
            with self.subTest("Escape twice leaves the table"):
                press(page, "Escape")
                self.assertTrue(page.find_element(By.ID, "vista-mesa").is_displayed())
                press(page, "Escape")
                wait_until("the table list", lambda: page.find_element(By.ID, "vista-mesas").is_displayed())
            with self.subTest("back with the token at no table: the list"):
                page.refresh()
                wait_until("the table list", lambda: page.find_element(By.ID, "vista-mesas").is_displayed())
                self.assertFalse(page.find_element(By.ID, "vista-nombre").is_displayed())
        finally:
            harness.quit_browser(page)


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
"""The uninstall wizard's real windows under Xvfb and Wine, driven by keystrokes and mouse clicks.

Run by CTest (see CMakeLists.txt beside this file) with DISPLAY set. Each scenario starts the program under test,
waits for its windows with xdotool, presses keys or clicks buttons as a person would, and checks the process exit
code, what the windows looked like (read by wizard_probe.exe from inside the same Wine prefix) and what is left on
the machine. Screenshots of the three windows land in --screenshots on every run.

Two libraries stand behind the wizard: the real one, after a real install through the sample setup program; and a
stand-in that holds the removal open while the progress window is looked at and returns any result code asked for.
The whole suite uses one Wine prefix of its own; the restart scenario runs last, because the restart ends every
process of that prefix.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import time

TITLE = "Olvet PDF Creator Uninstallation Wizard"
WIZARD = "Olvet_PDF_Creator_UnInstaller_Win.exe"
LIBRARY = "olvet_pdf_printer_installer.dll"
INSTALL_DIR = "C:\\Olvet Wizard Test"
APP_DEFAULTS = "HKCU\\Software\\Wine\\AppDefaults\\" + WIZARD
IDOK, IDCANCEL = 1, 2
REBOOT_HINT = 1000
WINDOW_TIMEOUT = 30
EXIT_TIMEOUT = 30

# Staged driver files are looked at after a removal only: Wine keeps a driver's registration when it is deleted, so
# a second install finds the driver registered and stages nothing.
INSTALLED = {"printer": True, "port": True, "uninstall_key": True, "product_key": True}
REMOVED = {"printer": False, "port": False, "driver_files": [], "uninstall_key": False, "product_key": False}


class Failures:
    def __init__(self):
        self.items = []
        self.scenario = ""

    def check(self, condition, what):
        if not condition:
            self.items.append(f"{self.scenario}: {what}")
            print(f"    FAILED: {what}", flush=True)
        return condition

    def equal(self, actual, expected, what):
        return self.check(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


failures = Failures()


def host_path_for_windows(path):
    """Wine's Z: drive is the host's root."""
    return "Z:" + os.path.abspath(path)


class Wine:
    """Runs Windows programs in the suite's own prefix through the project's Wine launcher."""

    def __init__(self, wine_run, arch, prefix, logs):
        self.wine_run = wine_run
        self.arch = arch
        self.prefix = prefix
        self.env = dict(os.environ, OLVET_WINE_PREFIX=prefix)
        self.log = open(os.path.join(logs, "wine.log"), "a")

    def start(self, program, *args, env=None):
        return subprocess.Popen([self.wine_run, self.arch, program, *args], env=dict(self.env, **(env or {})),
                                stdout=subprocess.PIPE, stderr=self.log, text=True)

    def run(self, program, *args, env=None, timeout=120):
        process = self.start(program, *args, env=env)
        out, _ = process.communicate(timeout=timeout)
        return process.returncode, out

    def server(self):
        out = subprocess.run([self.wine_run, self.arch, "--env"], env=self.env, capture_output=True, text=True,
                             check=True).stdout
        for line in out.splitlines():
            if line.startswith("export WINESERVER="):
                return line.split("=", 1)[1].strip("'\"")
        raise RuntimeError("wine-run --env names no WINESERVER")


class Suite:
    def __init__(self, options):
        self.o = options
        self.work = options.work
        self.shots = options.screenshots
        os.makedirs(self.shots, exist_ok=True)
        self.wine = Wine(options.wine_run, options.arch, options.prefix, self.work)
        self.setup_dir = os.path.join(self.work, "setup")
        self.standin_dir = os.path.join(self.work, "standin")
        self.keeper = None

    # ---- preparation ------------------------------------------------------------------------------------------
    def lay_out(self):
        """A setup folder as an integrator ships it, and a wizard with the stand-in library beside it."""
        for folder, files in ((self.setup_dir, [self.o.sample, self.o.library, self.o.wizard, *self.o.driver_modules]),
                              (self.standin_dir, [self.o.wizard, self.o.standin])):
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
            for f in files:
                shutil.copy(f, folder)

    def prepare_prefix(self):
        code, _ = self.wine.run("--prefix-only")
        if code != 0:
            raise RuntimeError(f"no Wine prefix at {self.o.prefix} (wine-run exit {code})")
        marker = os.path.join(self.o.prefix, ".olvet-wizard-unmanaged")
        if not os.path.exists(marker):
            # Without a window manager nobody draws captions unless Wine draws them itself: the screenshots then
            # show the pages as Windows would, caption and close box included.
            self.wine.run("reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Decorated", "/t", "REG_SZ",
                          "/d", "N", "/f")
            # Nor does anyone confirm that a window is shown: Wine would wait 2 s for that at every hide.
            self.wine.run("reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
                          "/d", "N", "/f")
            open(marker, "w").close()
        # A process that keeps the prefix's services up between the short runs, so each starts quickly.
        self.keeper = self.wine.start(self.o.probe, "sleep", "600")
        self.wine.run("reg", "delete", APP_DEFAULTS, "/f")

    def finish(self):
        subprocess.run([self.wine.server(), "-k"], env=dict(self.wine.env, WINEPREFIX=self.o.prefix))
        if self.keeper:
            self.keeper.wait(timeout=30)

    # ---- looking at the screen ------------------------------------------------------------------------------
    def x_windows(self, title):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                capture_output=True, text=True)
        return [int(w) for w in result.stdout.split()]

    def wait_x_window(self, title, process, exclude=(), timeout=WINDOW_TIMEOUT):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [w for w in self.x_windows(title) if w not in exclude]
            if found:
                return found[0]
            if process.poll() is not None:
                return None
            time.sleep(0.1)
        return None

    def probe(self, *args):
        code, out = self.wine.run(self.o.probe, *args)
        if code != 0:
            raise RuntimeError(f"wizard_probe {' '.join(args)} failed with {code}")
        return json.loads(out)

    def windows(self, title):
        seen = self.probe("window", title)
        return seen["work_area"], seen["windows"]

    def press(self, x_window, *keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", str(x_window)], timeout=10)
        subprocess.run(["xdotool", "key", *keys], timeout=10)

    def click(self, control):
        left, top, right, bottom = control["rect"]
        subprocess.run(["xdotool", "mousemove", "--sync", str((left + right) // 2), str((top + bottom) // 2),
                        "click", "1"], timeout=10)

    def screenshot(self, window, name):
        left, top, right, bottom = window["rect"]
        path = os.path.join(self.shots, name)
        subprocess.run(["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                        "+repage", path], check=True, timeout=30)
        print(f"    screenshot {path}")

    def wait_exit(self, process, timeout=EXIT_TIMEOUT):
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            failures.check(False, f"still running after {timeout} s")
            process.kill()
            process.wait()
        return process.returncode

    # ---- what a page should look like --------------------------------------------------------------------------
    def expect_centred(self, window, target, area, what):
        """The centring rule, worked out again here from the measured rectangles."""
        left, top, right, bottom = window["rect"]
        width, height = right - left, bottom - top

        def edge(extent, near, far, area_near, area_far):
            centre = int((near + far) / 2)  # truncates toward zero, as the rule says
            value = centre - int(extent / 2)
            if value < area_near:
                return area_near
            if value + extent > area_far:
                return area_far - extent
            return value

        expected = [edge(width, target[0], target[2], area[0], area[2]),
                    edge(height, target[1], target[3], area[1], area[3])]
        failures.equal([left, top], expected, f"{what}: top-left corner")

    def control(self, window, control_id, window_class=None):
        for c in window["controls"]:
            if c["id"] == control_id and (window_class is None or c["class"].lower() == window_class.lower()):
                return c
        return None

    def only_window(self, title, what):
        area, found = self.windows(title)
        failures.equal(len(found), 1, f"visible windows titled {title!r} ({what})")
        return area, found[0] if found else None

    # ---- starting the wizard ---------------------------------------------------------------------------------
    def start_wizard(self, where, env=None):
        """Starts the wizard and waits for its welcome page; returns the process and the page's X window."""
        if where == "install":
            program = INSTALL_DIR + "\\" + WIZARD
        else:
            program = os.path.join(self.standin_dir if where == "standin" else self.setup_dir, WIZARD)
        process = self.wine.start(program, env=env)
        welcome = self.wait_x_window(TITLE, process)
        failures.check(welcome is not None, "the welcome page appeared")
        return process, welcome

    def install(self):
        code, out = self.wine.run(os.path.join(self.setup_dir, os.path.basename(self.o.sample)), "install",
                                  INSTALL_DIR)
        failures.equal(code, 0, "install through the sample setup program")
        failures.equal(self.state(INSTALLED), INSTALLED, "the machine after the install")

    def state(self, keys=REMOVED):
        seen = self.probe("state")
        return {k: seen[k] for k in keys}

    def standin_env(self, result=0, progress=None, hold=False):
        env = {"OLVET_STANDIN_RESULT": str(result)}
        if progress is not None:
            env["OLVET_STANDIN_PROGRESS"] = str(progress)
        if hold:
            self.hold_file = os.path.join(self.work, "hold")
            self.started_file = os.path.join(self.work, "started")
            open(self.hold_file, "w").close()
            if os.path.exists(self.started_file):
                os.remove(self.started_file)
            env["OLVET_STANDIN_HOLD"] = host_path_for_windows(self.hold_file)
            env["OLVET_STANDIN_STARTED"] = host_path_for_windows(self.started_file)
        return env

    def wait_for_removal_start(self, process):
        deadline = time.time() + WINDOW_TIMEOUT
        while time.time() < deadline and process.poll() is None:
            if os.path.exists(self.started_file):
                return True
            time.sleep(0.1)
        return failures.check(False, "the removal started")

    # ---- scenarios ------------------------------------------------------------------------------------------------
    def welcome_dismissals(self):
        """Cancel, Esc and the close box end the wizard with 2 and remove nothing."""
        ways = [("Cancel button", None), ("Esc", "Escape"), ("close box (Alt+F4)", "alt+F4")]
        for index, (name, key) in enumerate(ways):
            failures.scenario = f"welcome page, {name}"
            print(f"  {failures.scenario}", flush=True)
            process, welcome = self.start_wizard("install")
            if welcome is None:
                process.kill()
                continue
            if index == 0:
                area, page = self.only_window(TITLE, "welcome page")
                if page:
                    self.check_welcome(area, page)
                    self.screenshot(page, "1-welcome.png")
                    cancel = self.control(page, IDCANCEL)
                    self.click(cancel)
            else:
                self.press(welcome, key)
            failures.equal(self.wait_exit(process), 2, "exit code")
        failures.scenario = "welcome page dismissed three times"
        failures.equal(self.state(INSTALLED), INSTALLED, "the machine afterwards: nothing removed")

    def check_welcome(self, area, page):
        failures.equal(page["owner"], 0, "the welcome page has no owner")
        self.expect_centred(page, area, area, "welcome page in the work area")
        failures.equal(page.get("focus_id"), IDOK, "the focus starts on Next")
        failures.equal(page["default_id"], IDOK, "Next is the default button")

    def next_to_finish_page(self, library, env=None):
        """Starts the wizard, presses Next by Enter and waits for the finish page; None when it does not come."""
        process, welcome = self.start_wizard(library, env)
        if welcome is None:
            process.kill()
            return process, None
        self.press(welcome, "Return")
        finish = self.wait_x_window(TITLE, process, exclude=[welcome])
        if not failures.check(finish is not None, "the finish page appeared"):
            self.wait_exit(process)
        return process, finish

    def removal_then(self, name, finish_action, expected_state):
        """Next by Enter on an installed machine, then the finish page dismissed by finish_action."""
        failures.scenario = f"real removal, then {name}"
        print(f"  {failures.scenario}", flush=True)
        process, finish = self.next_to_finish_page("install")
        if finish is None:
            return
        area, page = self.only_window(TITLE, "finish page")
        if page:
            self.check_finish(area, page)
            finish_action(finish, page)
        failures.equal(self.wait_exit(process), 1, "exit code")
        failures.equal(self.state(), expected_state, "the machine afterwards")

    def finish_by_click(self, page):
        finish = self.control(page, IDOK)
        if failures.check(finish is not None and finish["text"] == "Finish", "the Finish button"):
            self.click(finish)

    def check_finish(self, area, page):
        self.expect_centred(page, area, area, "finish page in the work area (its owner is gone)")
        hint = self.control(page, REBOOT_HINT, "Static")
        failures.check(hint is not None and not hint["visible"], "the reboot hint exists and is hidden")
        failures.equal(page["default_id"], IDOK, "Finish is the default button")
        failures.equal(page.get("focus_id"), IDOK, "the focus starts on Finish")

    def progress_and_finish(self):
        """With the stand-in holding the removal: the progress window over the welcome page, then the finish page."""
        cases = [
            # name, percent reported, expected bar position, how the finish page is dismissed
            ("bar untouched, Enter on the finish page", None, 0, ("key", "Return")),
            ("bar set to 40, Esc on the finish page", 40, 40, ("key", "Escape")),
            ("bar untouched, close box on the finish page", None, 0, ("key", "alt+F4")),
        ]
        for index, (name, percent, position, (how, key)) in enumerate(cases):
            failures.scenario = f"progress window, {name}"
            print(f"  {failures.scenario}", flush=True)
            process, welcome = self.start_wizard("standin", self.standin_env(0, percent, hold=True))
            if welcome is None:
                process.kill()
                continue
            _, pages = self.windows(TITLE)
            self.press(welcome, "Return")
            if self.wait_for_removal_start(process):
                area, found = self.windows("")
                if failures.equal(len(found), 1, "visible progress windows"):
                    progress = found[0]
                    welcome_handle = pages[0]["handle"] if pages else None
                    failures.equal(progress["owner"], welcome_handle, "the progress window's owner is the welcome page")
                    if progress.get("owner_rect"):
                        self.expect_centred(progress, progress["owner_rect"], area,
                                            "progress window over the welcome page")
                    # Read by the stand-in on the wizard's thread, the only one the busy window answers.
                    with open(self.started_file) as f:
                        bar = f.read().split()
                    failures.equal(bar, [str(position), "0", "100"], "the bar's position, low and high ends")
                    if index == 0:
                        self.screenshot(progress, "2-progress.png")
            os.remove(self.hold_file)
            finish = self.wait_x_window(TITLE, process, exclude=[welcome])
            if failures.check(finish is not None, "the finish page appeared"):
                area, page = self.only_window(TITLE, "finish page")
                if page:
                    self.check_finish(area, page)
                    if index == 0:
                        self.screenshot(page, "3-finish.png")
                self.press(finish, key)
            failures.equal(self.wait_exit(process), 1, "exit code (no restart)")

    def result_messages(self):
        """Every failure code the library can return, and one it cannot, through the stand-in."""
        texts = {3: "Add port failed!", 4: "Add driver failed!", 5: "Add printer failed!",
                 6: "Create directory failed!", 7: "Copy file failed!", 8: "Register Updating failed!", 9: None}
        for code, text in texts.items():
            failures.scenario = f"removal result {code}"
            print(f"  {failures.scenario}", flush=True)
            process, welcome = self.start_wizard("standin", self.standin_env(code))
            if welcome is None:
                process.kill()
                continue
            self.press(welcome, "Return")
            self.expect_message_then_exit(process, welcome, text)

    def expect_message_then_exit(self, process, welcome, text, screenshot=None):
        # Without a message the wizard ends at once; wait_x_window returns when the process has gone.
        box = self.wait_x_window("Error", process)
        if text is None:
            failures.check(box is None, "no message box")
        elif failures.check(box is not None, "the message box appeared"):
            _, boxes = self.windows("Error")
            if failures.equal(len(boxes), 1, "visible message boxes"):
                shown = [c["text"] for c in boxes[0]["controls"] if c["class"].lower() == "static" and c["text"]]
                failures.equal(shown, [text], "the message")
                buttons = [c["text"] for c in boxes[0]["controls"] if c["class"].lower() == "button"]
                failures.equal(buttons, ["OK"], "the message box's buttons")
                if screenshot:
                    self.screenshot(boxes[0], screenshot)
            finish_seen = [w for w in self.x_windows(TITLE) if w != welcome]
            failures.equal(finish_seen, [], "no finish page beside the message")
            self.press(box, "Return")
        failures.equal(self.wait_exit(process), 1, "exit code")
        failures.equal([w for w in self.x_windows(TITLE)], [], "no finish page after the message")

    def unsupported_system(self):
        """The real library on a system it refuses: Windows 7 for the wizard alone."""
        failures.scenario = "real library on Windows 7"
        print(f"  {failures.scenario}", flush=True)
        self.wine.run("reg", "add", APP_DEFAULTS, "/v", "Version", "/t", "REG_SZ", "/d", "win7", "/f")
        try:
            process, welcome = self.start_wizard("setup")
            if welcome is None:
                process.kill()
                return
            self.press(welcome, "Return")
            self.expect_message_then_exit(process, welcome, "Current OS doesn't support!", "4-unsupported.png")
        finally:
            self.wine.run("reg", "delete", APP_DEFAULTS, "/f")

    def reboot(self):
        """A click on Reboot asks Windows to restart: under Wine that ends every process of the prefix."""
        failures.scenario = "Reboot clicked"
        print(f"  {failures.scenario}", flush=True)
        process, finish = self.next_to_finish_page("standin", self.standin_env(0))
        if finish is None:
            return
        _, page = self.only_window(TITLE, "finish page")
        reboot = self.control(page, IDCANCEL) if page else None
        if failures.check(reboot is not None and reboot["text"] == "Reboot", "the Reboot button"):
            self.click(reboot)
        # The restart may end the wizard before its own exit with 0 does; either way it must not be Finish's 1.
        code = self.wait_exit(process)
        print(f"    the wizard ended with {code}")
        failures.check(code != 1, "the Reboot click did not act as Finish")
        try:
            self.keeper.wait(timeout=30)
        except subprocess.TimeoutExpired:
            failures.check(False, "the restart ended the prefix's other processes")
        self.keeper = None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--arch", required=True, choices=["i686", "x64"])
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--wizard", required=True)
    parser.add_argument("--library", required=True)
    parser.add_argument("--standin", required=True)
    parser.add_argument("--sample", required=True)
    parser.add_argument("--driver-modules", nargs="+", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--screenshots", required=True)
    parser.add_argument("--prefix", required=True)
    options = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        print("gui_test: DISPLAY is not set: run under Xvfb (make test does)", file=sys.stderr)
        return 1
    for tool in ("xdotool", "import"):
        if not shutil.which(tool):
            print(f"gui_test: {tool} is missing (packages xdotool, imagemagick)", file=sys.stderr)
            return 1

    os.makedirs(options.work, exist_ok=True)
    suite = Suite(options)
    started = time.time()
    suite.lay_out()
    suite.prepare_prefix()
    try:
        # The machine starts clean: a failed earlier run may have left an install behind.
        if suite.state() != REMOVED:
            suite.wine.run(os.path.join(suite.setup_dir, os.path.basename(options.sample)), "uninstall")
        suite.install()
        suite.welcome_dismissals()
        suite.removal_then("a click on Finish", lambda x_window, page: suite.finish_by_click(page), REMOVED)
        suite.install()
        suite.removal_then("Esc", lambda x_window, page: suite.press(x_window, "Escape"), REMOVED)
        suite.progress_and_finish()
        suite.result_messages()
        suite.unsupported_system()
        suite.reboot()
    finally:
        suite.finish()
    print(f"wizard GUI suite ({options.arch}): {time.time() - started:.0f} s, "
          f"{len(failures.items)} failure(s); screenshots in {options.screenshots}")
    for item in failures.items:
        print(f"  FAILED {item}")
    return 1 if failures.items else 0

if __name__ == "__main__":
    sys.exit(main())

"""Walks the running window as a screen reader sees it (AT-SPI), on the bundled lists.

Usage (on a D-Bus session with a display): screenreader_walk.py PROGRAM PRIMARY SECONDARY

Starts PROGRAM (which opens the two lists lying beside it), waits until its window is on the
accessibility bus and fails when
  - a push button, check box or text field has an empty name or a name without a letter,
  - the record fields are not named by the captions of the loaded list's header,
  - the window is not announced as a window (a frame),
  - after a search the grid's column titles, the count label or the time label do not say
    what they show,
  - after the switch of data file the fields and the file panel do not follow the file.
It ends the program with its own close button. Exit 0 when all is well, 1 otherwise.
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi

WAIT_S = 60.0
FIELD_COLUMNS = (0, 2, 4, 5, 6, 7)  # the header's columns the record fields show
NAMED_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TEXT,
               pyatspi.ROLE_ENTRY, pyatspi.ROLE_TOGGLE_BUTTON)
problems = []


def caption_text(caption):
    """What a caption shows: "&&" is one ampersand, a single "&" disappears."""
    return caption.replace("&&", "\0").replace("&", "").replace("\0", "&")


def field_captions(list_file):
    with open(list_file, "rb") as f:
        header = f.readline()
    for bom, codec in ((b"\xef\xbb\xbf", "utf-8"), (b"\xff\xfe", "utf-16-le"),
                       (b"\xfe\xff", "utf-16-be")):
        if header.startswith(bom):
            text = header[len(bom):].decode(codec)
            break
    else:
        text = header.decode("cp1252")
    columns = [c.strip().strip('"') for c in text.rstrip("\r\n").split("\t")]
    return [caption_text(columns[i]) for i in FIELD_COLUMNS]


def wait_for(what, probe, timeout=WAIT_S):
    """Polls probe() until it answers something true; that answer, or None after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            answer = probe()
        except Exception:  # the tree changes while it is read: try again
            answer = None
        if answer:
            return answer
        if time.monotonic() > deadline:
            problems.append("timed out waiting for " + what)
            return None
        time.sleep(0.2)


def walk(node):
    node.clear_cache()
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def main_window(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for i in range(app.childCount):
            frame = app.getChildAtIndex(i)
            if "Diagnoseliste" in frame.name:
                return frame
    return None


def of_role(window, *roles):
    return [n for n in walk(window) if n.getRole() in roles]


def named(window, role, name):
    return next((n for n in of_role(window, role) if n.name == name), None)


def label_starting(window, prefix):
    return next((n.name for n in of_role(window, pyatspi.ROLE_LABEL)
                 if n.name.startswith(prefix)), None)


def field_names(window):
    return [n.name for n in of_role(window, pyatspi.ROLE_TEXT)]


def press(window, role, name):
    control = named(window, role, name)
    if control is None:
        problems.append("no control named %r" % name)
        return False
    control.queryAction().doAction(0)
    return True


def check_names(window):
    for node in of_role(window, *NAMED_ROLES):
        if not any(c.isalpha() for c in node.name):
            problems.append("%s without a spoken name: %r (hint %r)"
                            % (node.getRoleName(), node.name, node.description))


def check_fields(window, list_file):
    wanted = field_captions(list_file)
    if not wait_for("record fields named " + repr(wanted),
                    lambda: field_names(window) == wanted, 10):
        problems.append("record fields named %r, header says %r" % (field_names(window), wanted))


def check_search(window, list_file):
    """Searches through the dialog of "Søg"; the grid, the count and the time must say it."""
    if not press(window, pyatspi.ROLE_PUSH_BUTTON, "Søg"):
        return
    dialog = wait_for("the search dialog",
                      lambda: next(iter(of_role(window.parent, pyatspi.ROLE_DIALOG)), None), 10)
    if dialog is None:
        return
    entry = of_role(dialog, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)[0]
    entry.queryEditableText().setTextContents("sygdom")
    press(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK")

    def with_number(prefix):
        name = label_starting(window, prefix)
        return name if name and name[len(prefix):][:1].isdigit() else None

    count = wait_for("the count label naming the hits", lambda: with_number("Antal fund: "), 20)
    time_taken = wait_for("the time label naming the search time",
                          lambda: with_number("Søgetid: "), 5)
    grid = of_role(window, pyatspi.ROLE_TABLE)[0].queryTable()
    titles = [grid.getColumnHeader(c).name for c in range(grid.nColumns)]
    captions = field_captions(list_file)
    if titles != captions[:2]:
        problems.append("grid column titles %r, header says %r" % (titles, captions[:2]))
    print("search: %s, %s, grid titles %r" % (count, time_taken, titles))


def walk_window(process, window, primary, secondary):
    wait_for("the window's controls", lambda: len(of_role(window, *NAMED_ROLES)) > 10)
    if window.getRole() != pyatspi.ROLE_FRAME:
        problems.append("the window is announced as a %s" % window.getRoleName())
    check_names(window)
    check_fields(window, primary)
    check_search(window, primary)
    if press(window, pyatspi.ROLE_PUSH_BUTTON, "Skift datafil"):
        wanted = "Datafil: " + os.path.basename(secondary)
        wait_for("the file panel naming " + secondary,
                 lambda: label_starting(window, wanted), 20)
        check_names(window)
        check_fields(window, secondary)
    if press(window, pyatspi.ROLE_PUSH_BUTTON, "Luk"):
        try:
            if process.wait(20) != 0:
                problems.append("the program ended with exit code %d" % process.returncode)
        except subprocess.TimeoutExpired:
            problems.append("the program did not close from its close button")


def run(program, primary, secondary):
    process = subprocess.Popen([program], cwd=os.path.dirname(program))
    try:
        window = wait_for("the window on the accessibility bus",
                          lambda: "ended" if process.poll() is not None else main_window(
                              process.pid))
        if window == "ended":
            problems.append("the program ended with exit code %d before its window showed"
                            % process.returncode)
        if window is None or window == "ended":
            return
        walk_window(process, window, primary, secondary)
    except Exception as error:  # a part missing from the tree
        problems.append("the walk stopped: %r" % error)
    finally:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    started = time.monotonic()
    run(*sys.argv[1:4])
    for problem in problems:
        print("FAIL:", problem)
    print("screen-reader walk: %s in %.1f s" % ("failed" if problems else "passed",
                                                time.monotonic() - started))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a screen reader meets it, read through a real AT-SPI client.

Runs inside a private session bus (run-client.sh): starts the accessibility
bus, starts PROGRAM on the X server in DISPLAY with a folder of real files,
finds it on the AT-SPI desktop and, through pyatspi:

- checks that each of the fifteen things a user operates is there with its
  name, role and key states (values, actions, enabled and editable);
- moves to the next folder by the keys a user presses and sees the list's
  rows follow, then moves in the list and hears the row's focus event;
- opens the system menu (F10) and a field's menu (the Menu key), reads their
  items while they are open, hears the highlighted item, and sees the items
  go and the focus come back when they close;
- renames the folder's files by setting the prefix (EditableText) and
  pressing the rename button (Action), then undoes it by pressing the system
  menu's undo item (Action), checking the disk after each.

    run-client.sh PROGRAM        (DISPLAY names a server with a window manager)

Prints one line per control, every miss, and how many of the fifteen have a
name and the right role; exits 1 on any miss.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
gi.require_version("Gio", "2.0")
import pyatspi  # noqa: E402  (the versions above first)
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# Every wait ends as soon as what it waits for is there; the limit only has to
# outlast what a loaded machine can cause.
PATIENCE = float(os.environ.get("BR_A11Y_PATIENCE_SECONDS", "30"))
POLL = 0.1  # seconds between two looks

# What the user hears: the window's own texts, and the names given where the
# window shows none (the tree, the list, the two ends of the range).
WINDOW_CAPTION = "批量修改文件名"
TREE_NAME = "文件夹"
FIND_FIELD = "查找文件"
PREFIX_FIELD = "批量命名前缀"
RANGE_START_FIELD = "命名范围 起始"
RANGE_END_FIELD = "命名范围 结束"
RENAME_BUTTON = "开始修改文件名"
LIST_NAME = "文件列表"
LINK_TEXT = "Oradel工作室"
# The caption buttons by their hints, and the frame's menu texts, in the C locale.
CAPTION_BUTTONS = ["System menu", "Minimize", "Maximize", "Roll Up", "Close"]
SYSTEM_MENU_KEY = "F10"  # window managers keep Alt+Space for their own menu
SYSTEM_MENU_NAME = "System menu"
UNDO_ITEM = "撤销上次重命名"
CLOSE_ITEM = "Close"
SYSTEM_MENU_ITEMS = ["Minimize", "Maximize", "RollUp", "预览新文件名", "编号", UNDO_ITEM, "皮肤", CLOSE_ITEM]
SHORTCUTS = {UNDO_ITEM: "Ctrl+Z", CLOSE_ITEM: "Alt+F4"}
FIELD_MENU_KEY = "Menu"
FIELD_MENU_ITEMS = ["Undo", "Cut", "Copy", "Paste", "Delete", "Select All"]

# Two sibling folders of real files, each named so it lists in this order;
# every file holds its own first name, so the disk shows which became which.
FIRST_FOLDER = ("letters", ["draft.txt", "letter.odt", "reply"])
SECOND_FOLDER = ("photos", ["beach.jpg", "city.png", "night.jpeg"])
PREFIX = "Job"

TREE_ROLES = {pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE}
FIELD_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}
LIST_ROLES = {pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX}
MENU_ROLES = {pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU}
ITEM_ROLES = {pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_MENU}
BUTTON_ROLES = {pyatspi.ROLE_PUSH_BUTTON}

A11Y_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def fail_now(message):
    print("FAILED: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, patience=PATIENCE):
    """Polls what() until it gives something true; gives that, or None at the
    limit. The program's events are taken in before each look."""
    deadline = time.monotonic() + patience
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        value = what()
        if value or time.monotonic() >= deadline:
            return value or None
        time.sleep(POLL)


def xdotool(*args):
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=PATIENCE)
    return done.stdout.strip() if done.returncode == 0 else ""


def start_accessibility_bus():
    """Starts the accessibility bus for the session bus; gives the launcher and its address.

    The launcher runs without DISPLAY, so it leaves no address on the X
    server's root window, which the real-X suites after this one share."""
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        fail_now("no session bus (run-client.sh runs this under dbus-run-session)")
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "AT_SPI_BUS_ADDRESS")}
    launcher = subprocess.Popen([A11Y_BUS_LAUNCHER, "--launch-immediately"], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def call(name, path, interface, method, args, reply):
        return session.call_sync(name, path, interface, method, args, GLib.VariantType(reply),
                                 Gio.DBusCallFlags.NO_AUTO_START, int(PATIENCE * 1000), None).unpack()[0]

    def registered():
        return call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                    GLib.Variant("(s)", ("org.a11y.Bus",)), "(b)")

    if not wait_for(registered):
        fail_now("the accessibility bus (at-spi-bus-launcher) did not come up within %ds" % PATIENCE)
    return launcher, call("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, "(s)")


# --- the tree as the client sees it -------------------------------------------


class Events:
    """The focus moves the program announces, as a screen reader hears them:
    (role, name) of each object that says it has the focus now, or of a
    window that became active (the reader then says its focused object)."""

    def __init__(self):
        self.heard = []
        # Before the program starts: it sends only the kinds a client asked for.
        pyatspi.Registry.registerEventListener(self._on_focus, "object:state-changed:focused", "window:activate")

    def _on_focus(self, event):
        if event.type.startswith("object:") and event.detail1 != 1:
            return
        try:
            self.heard.append((event.source.getRole(), event.source.name or ""))
        except Exception:  # gone already, as a closed menu's item
            self.heard.append((None, ""))

    def said(self):
        return ["%s %r" % (role.value_nick if role is not None else "gone", name) for role, name in self.heard]

    def after(self, act):
        """Forgets what was heard, then does act()."""
        self.heard.clear()
        act()

    def focus_on(self, roles, name=None):
        return wait_for(lambda: any(r in roles and (name is None or n == name) for r, n in self.heard))

    def focus_off(self, roles):
        return wait_for(lambda: any(r is not None and r not in roles for r, _ in self.heard))


EVENTS = None  # made in main, before the program starts


class Node:
    """One accessible object as read at one moment: role, name, states."""

    def __init__(self, acc, depth):
        self.acc = acc
        self.depth = depth
        self.role = acc.getRole()
        self.role_name = acc.getRoleName()
        self.name = acc.name or ""
        self.states = set(acc.getState().getStates())

    def has(self, state):
        return state in self.states

    def __repr__(self):
        return "%s %r" % (self.role_name, self.name)


def walk(root, limit=5000, skip=TREE_ROLES):
    """Every object under root, breadth first, without the insides of objects
    whose role is in skip (the folder tree's rows unless asked for); objects
    gone while read are left out."""
    nodes, queue = [], [(root, 0)]
    while queue and len(nodes) < limit:
        acc, depth = queue.pop(0)
        try:
            node = Node(acc, depth)
            inside = depth < 40 and (node.role not in skip or depth == 0)
            kids = [acc.getChildAtIndex(i) for i in range(acc.childCount)] if inside else []
        except Exception:  # a row or a menu that went away while it was read
            continue
        nodes.append(node)
        queue.extend((kid, depth + 1) for kid in kids if kid is not None)
    return nodes


def named(nodes, roles, name):
    found = [n for n in nodes if n.role in roles and n.name == name]
    return found[0] if found else None


def children(acc):
    try:
        return [Node(acc.getChildAtIndex(i), 1) for i in range(acc.childCount)]
    except Exception:
        return []


def list_rows(root):
    found = named(walk(root), LIST_ROLES, LIST_NAME)
    return [r.name for r in children(found.acc) if r.role == pyatspi.ROLE_LIST_ITEM] if found else None


def action_names(acc):
    try:
        action = acc.queryAction()
        return [action.getName(i) for i in range(action.nActions)]
    except Exception:
        return []


def press(acc):
    """Runs the object's Press action; False when it has none or refuses."""
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            return action.doAction(i)
    return False


def key_binding(acc):
    try:
        return acc.queryAction().getKeyBinding(0)
    except Exception:
        return ""


def text_of(acc):
    try:
        return acc.queryText().getText(0, -1)
    except Exception:
        return None


def enabled_word(node):
    return "enabled" if node.has(pyatspi.STATE_ENABLED) else "disabled"


def focus(acc):
    """Gives acc the keyboard focus as a screen reader does; True once it has it."""
    def focused():
        return pyatspi.STATE_FOCUSED in acc.getState().getStates()

    if not focused():
        try:
            acc.queryComponent().grabFocus()
        except Exception:
            pass  # it may have the focus already, only not yet said so
    return wait_for(focused)


def activate(pid):
    """Makes the program's window the active one: keys go there."""
    def active():
        found = xdotool("search", "--pid", str(pid), "--name", "^%s$" % WINDOW_CAPTION).split("\n")[0]
        if found and xdotool("getactivewindow") == found:
            return True
        if found:
            xdotool("windowactivate", found)
        return False

    return wait_for(active)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clearCache()  # programs come and go: the registry is asked each time
    for i in range(desktop.childCount):
        try:
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def dump(root, limit=300):
    """The tree as the client saw it, for a failed run's log."""
    shown = (pyatspi.STATE_FOCUSED, pyatspi.STATE_SELECTED, pyatspi.STATE_EDITABLE, pyatspi.STATE_ENABLED)
    return "\n".join("%s%s %r [%s]" % ("  " * n.depth, n.role_name, n.name,
                                       ",".join(pyatspi.stateToString(s) for s in shown if n.has(s)))
                     for n in walk(root, limit))


# --- the checks ---------------------------------------------------------------


def check_controls(frame, files):
    """The thirteen controls the window shows without a menu open, the list
    showing `files`. Gives (label, exposed, problems) for each: exposed when
    it has its name and role; problems are its other misses."""
    nodes = walk(frame)
    results = []

    tree = named(nodes, TREE_ROLES, TREE_NAME)
    problems = []
    if tree:
        rows = [r for r in walk(tree.acc, skip=()) if r.name == FIRST_FOLDER[0]]
        if not any(r.has(pyatspi.STATE_SELECTED) for r in rows):
            problems.append("no selected row %r (the folder the program started with)" % FIRST_FOLDER[0])
    results.append(("folder tree", tree is not None, problems))

    # The end is worked out from the start and the count: shown, never typed.
    for name, value, editable in ((FIND_FIELD, "*.*", True), (PREFIX_FIELD, "My", True),
                                  (RANGE_START_FIELD, "0", True), (RANGE_END_FIELD, str(len(files)), False)):
        field = named(nodes, FIELD_ROLES, name)
        problems = []
        if field:
            if text_of(field.acc) != value:
                problems.append("value %r, not %r" % (text_of(field.acc), value))
            try:
                field.acc.queryEditableText()
            except NotImplementedError:
                problems.append("no EditableText interface")
            takes = field.has(pyatspi.STATE_ENABLED) and field.has(pyatspi.STATE_EDITABLE)
            if takes != editable:
                problems.append("editable and enabled" if takes else "not editable or not enabled")
        results.append(("field " + name, field is not None, problems))

    button = named(nodes, BUTTON_ROLES, RENAME_BUTTON)
    problems = []
    if button:
        if "press" not in [a.lower() for a in action_names(button.acc)]:
            problems.append("no Press action (has %s)" % action_names(button.acc))
        if not button.has(pyatspi.STATE_ENABLED):
            problems.append("disabled")
    results.append(("rename button", button is not None, problems))

    exposed = named(nodes, LIST_ROLES, LIST_NAME) is not None
    rows = list_rows(frame)
    results.append(("file list", exposed, ["rows %s, not the files %s" % (rows, files)] if exposed and rows != files
                    else []))

    link = named(nodes, {pyatspi.ROLE_LINK}, LINK_TEXT)
    results.append(("link", link is not None, ["no action to open it"] if link and not action_names(link.acc) else []))

    for hint in CAPTION_BUTTONS:
        found = named(nodes, BUTTON_ROLES, hint)
        missing = found and "press" not in [a.lower() for a in action_names(found.acc)]
        results.append(("caption button " + hint, found is not None, ["no Press action"] if missing else []))
    return results


def open_menu(app, key, items, inspect, close_key="Escape"):
    """Opens a menu by its key; inspect(menu, items by name) runs while it is
    open and gives its problems; close_key then closes it (None when inspect
    ran an item, which closes it). Gives (shown, problems)."""
    xdotool("key", "--clearmodifiers", key)
    problems = []

    def shown():
        nodes = walk(app)
        found = {n.name: n for n in nodes if n.role in ITEM_ROLES and n.name in items}
        menus = [n for n in nodes if n.role in MENU_ROLES and n.name not in items]
        return (menus[0], found) if menus and set(found) == set(items) else None

    seen = wait_for(shown)
    if not seen:
        there = [n for n in walk(app) if n.role in MENU_ROLES or n.role in ITEM_ROLES]
        xdotool("key", "--clearmodifiers", "Escape")  # whatever did open must not stand in the next check's way
        return False, ["%s showed no menu with %s within %ds; menus and items: %s" % (key, items, PATIENCE, there)]
    # A screen reader says the item the keys move to, and where the focus is
    # back once the menu has closed.
    EVENTS.after(lambda: xdotool("key", "--clearmodifiers", "Down"))
    if not EVENTS.focus_on(ITEM_ROLES):
        problems.append("no focus event from an item when Down highlighted one (heard %s)" % EVENTS.said())
    # inspect may run an item, which closes the menu: what it says counts.
    EVENTS.after(lambda: problems.extend(inspect(*seen)))
    if close_key:
        xdotool("key", "--clearmodifiers", close_key)
    if not wait_for(lambda: not [n for n in walk(app) if n.role in ITEM_ROLES and n.name in items]):
        problems.append("its items are still there after it closed")
    if not EVENTS.focus_off(ITEM_ROLES | MENU_ROLES):
        problems.append("no focus event or window activation after it closed (heard %s)" % EVENTS.said())
    return True, problems


def system_menu_before_any_rename(menu, items):
    problems = []
    if menu.name != SYSTEM_MENU_NAME:
        problems.append("the menu is named %r, not %r" % (menu.name, SYSTEM_MENU_NAME))
    if SHORTCUTS[CLOSE_ITEM] not in key_binding(items[CLOSE_ITEM].acc):
        problems.append("%s has the shortcut %r" % (CLOSE_ITEM, key_binding(items[CLOSE_ITEM].acc)))
    if items[UNDO_ITEM].has(pyatspi.STATE_ENABLED):
        problems.append("%s is enabled before anything was renamed" % UNDO_ITEM)
    return problems


def field_menu_for(field):
    def inspect(menu, items):
        # Cut goes with a selection, Select All with a text not all selected.
        text = field.queryText()
        start, end = text.getSelection(0) if text.getNSelections() else (0, 0)
        problems = []
        if items["Cut"].has(pyatspi.STATE_ENABLED) != (end > start):
            problems.append("Cut is %s with the selection %d-%d" % (enabled_word(items["Cut"]), start, end))
        if items["Select All"].has(pyatspi.STATE_ENABLED) == (end - start == text.characterCount):
            problems.append("Select All is %s with the selection %d-%d of %d"
                            % (enabled_word(items["Select All"]), start, end, text.characterCount))
        return problems

    return inspect


def change_folder(frame, files):
    """Down to the next folder in the tree and Enter, as a user lists it."""
    tree = named(walk(frame), TREE_ROLES, TREE_NAME)
    if not tree or not focus(tree.acc):
        return ["the folder tree does not have the focus, and GrabFocus does not give it"]
    xdotool("key", "--clearmodifiers", "Down", "Return")
    if not wait_for(lambda: list_rows(frame) == files):
        return ["after Down and Enter in the tree the list's rows are %s, not %s" % (list_rows(frame), files)]
    return []


def move_in_list(frame, files):
    """Down in the list makes the first row the current one, heard as such."""
    found = named(walk(frame), LIST_ROLES, LIST_NAME)
    if not found or not focus(found.acc):
        return ["the file list did not take the focus by GrabFocus"]
    EVENTS.after(lambda: xdotool("key", "--clearmodifiers", "Down"))
    if not EVENTS.focus_on({pyatspi.ROLE_LIST_ITEM}, files[0]):
        return ["Down in the list: no focus event from the row %r (heard %s)" % (files[0], EVENTS.said())]
    rows = children(found.acc)
    if not rows or not rows[0].has(pyatspi.STATE_SELECTED):
        return ["Down in the list: the row %r is not selected" % files[0]]
    return []


def rename(frame, folder, files):
    """Sets the prefix and presses the rename button through their interfaces."""
    nodes = walk(frame)
    prefix = named(nodes, FIELD_ROLES, PREFIX_FIELD)
    button = named(nodes, BUTTON_ROLES, RENAME_BUTTON)
    if not prefix or not button:
        return ["the rename: no prefix field or no rename button to do it with"]
    try:
        prefix.acc.queryEditableText().setTextContents(PREFIX)
    except Exception as e:
        return ["the rename: the prefix could not be set (%s)" % e]
    if not wait_for(lambda: text_of(prefix.acc) == PREFIX):
        return ["the rename: the prefix reads %r after setting %r" % (text_of(prefix.acc), PREFIX)]
    try:
        if not press(button.acc):
            return ["the rename: the button has no Press action or refused it"]
    except Exception as e:
        return ["the rename: the button could not be pressed (%s)" % e]

    expected = {}  # new name -> old name, numbered from the start field's 0 on
    for i, old in enumerate(files):
        dot = old.rfind(".")
        expected[PREFIX + str(i + 1) + (old[dot:] if dot >= 0 else "")] = old
    if not wait_for(lambda: sorted(os.listdir(folder)) == sorted(expected)):
        return ["the rename: the folder holds %s, not %s" % (sorted(os.listdir(folder)), sorted(expected))]
    misses = ["the rename: %s does not hold the file that was %s" % (new, old)
              for new, old in expected.items() if read(os.path.join(folder, new)) != old]
    # The list is read again once the batch ends: its rows follow the disk.
    if not wait_for(lambda: list_rows(frame) == list(expected)):
        misses.append("after the rename the list's rows are %s, not %s" % (list_rows(frame), list(expected)))
    return misses


def undo(app, folder, files):
    """Presses the system menu's undo item through its action."""
    def press_undo(menu, items):
        item = items[UNDO_ITEM]
        if not item.has(pyatspi.STATE_ENABLED):
            return ["%s is disabled after a rename" % UNDO_ITEM]
        problems = []
        if SHORTCUTS[UNDO_ITEM] not in key_binding(item.acc):
            problems.append("%s has the shortcut %r" % (UNDO_ITEM, key_binding(item.acc)))
        if not press(item.acc):
            problems.append("%s has no Press action or refused it" % UNDO_ITEM)
        return problems

    shown, problems = open_menu(app, SYSTEM_MENU_KEY, SYSTEM_MENU_ITEMS, press_undo, close_key=None)
    misses = ["the undo: " + p for p in problems]
    if not shown:
        return misses
    if not wait_for(lambda: sorted(os.listdir(folder)) == sorted(files)):
        return misses + ["the undo: the folder holds %s, not %s" % (sorted(os.listdir(folder)), sorted(files))]
    return misses + ["the undo: %s does not hold its own bytes" % name
                     for name in files if read(os.path.join(folder, name)) != name]


def read(path):
    with open(path) as f:
        return f.read()


def run_checks(program, first, second):
    """Everything, in the order a user would meet it. Gives (results, other misses, app)."""
    app = wait_for(lambda: application(program.pid))
    if not app:
        return [], ["the program (pid %d) did not appear on the AT-SPI desktop within %ds" % (program.pid, PATIENCE)], None
    # Every look goes to the program itself, never to a copy kept by the client.
    app.setCacheMask(Atspi.Cache.NONE)
    other = []  # misses besides the fifteen
    frame = wait_for(lambda: named(children(app), {pyatspi.ROLE_FRAME}, WINDOW_CAPTION))
    if not frame:
        other.append("the window: no frame named %r among %s" % (WINDOW_CAPTION, children(app)))
    frame = frame.acc if frame else app

    def all_there():
        results = check_controls(frame, FIRST_FOLDER[1])
        return results if all(exposed and not problems for _, exposed, problems in results) else None

    results = wait_for(all_there) or check_controls(frame, FIRST_FOLDER[1])

    if not activate(program.pid):
        other.append("the window never became active, so no key could reach it")
        return results + [("system menu", False, []), ("popup menu", False, [])], other, app

    # The tree has the focus from the start.
    other += change_folder(frame, SECOND_FOLDER[1])
    other += move_in_list(frame, SECOND_FOLDER[1])
    results.append(("system menu", *open_menu(app, SYSTEM_MENU_KEY, SYSTEM_MENU_ITEMS, system_menu_before_any_rename)))
    prefix = named(walk(frame), FIELD_ROLES, PREFIX_FIELD)
    if not prefix:
        results.append(("popup menu", False, ["no field %r to open it from" % PREFIX_FIELD]))
    elif not focus(prefix.acc):
        results.append(("popup menu", False, ["the field %r did not take the focus by GrabFocus" % PREFIX_FIELD]))
    else:
        results.append(("popup menu", *open_menu(app, FIELD_MENU_KEY, FIELD_MENU_ITEMS, field_menu_for(prefix.acc))))

    other += rename(frame, second, SECOND_FOLDER[1])
    if not any(line.startswith("the rename") for line in other):
        other += undo(app, second, SECOND_FOLDER[1])
    if sorted(os.listdir(first)) != sorted(FIRST_FOLDER[1]):
        other.append("the first folder changed: %s" % sorted(os.listdir(first)))
    return results, other, app


def report(results, other):
    """Prints the outcome; gives the exit status."""
    for label, exposed, problems in results:
        print("%s %s%s%s" % ("ok  " if exposed and not problems else "MISS", label,
                             "" if exposed else ": not there with its name and role",
                             "".join("; " + p for p in problems)))
    for line in other:
        print("MISS " + line)
    count = sum(1 for _, exposed, _ in results if exposed)
    print("accessible controls: %d of 15 with a name and the right role" % count)
    job = not any(line.startswith(("the rename", "the undo")) for line in other)
    print("rename and undo through the accessibility interfaces alone: %s" % ("done" if job else "FAILED"))
    return 0 if count == len(results) == 15 and not any(p for _, _, p in results) and not other else 1


def program_env(root):
    env = dict(os.environ)
    for var, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "home/.config"), ("XDG_DATA_HOME", "home/.local/share"),
                     ("XDG_STATE_HOME", "home/.local/state"), ("XDG_CACHE_HOME", "home/.cache")):
        env[var] = os.path.join(root, sub)
        os.makedirs(env[var], mode=0o700, exist_ok=True)
    os.makedirs(os.path.join(root, "home", "Desktop"))
    # The program finds the accessibility bus as on a desktop, through the
    # session bus. The C locale keeps the frame's texts as the checks have them.
    env.update({"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "LC_ALL": "C.UTF-8"})
    for var in ("AT_SPI_BUS_ADDRESS", "LANGUAGE"):
        env.pop(var, None)
    return env


def main():
    if len(sys.argv) != 2:
        fail_now("usage: client.py PROGRAM")
    program = sys.argv[1]
    if not os.environ.get("DISPLAY"):
        fail_now("DISPLAY is not set: this test runs in the real-X run (scripts/realx.sh)")
    if not os.access(program, os.X_OK):
        fail_now("no program at %s (build the app target)" % program)

    root = tempfile.mkdtemp(prefix="br-a11y-")
    launcher = process = None
    status = 1
    try:
        # The buses' sockets go in this run's runtime folder, not the user's.
        os.environ["XDG_RUNTIME_DIR"] = os.path.join(root, "runtime")
        os.makedirs(os.environ["XDG_RUNTIME_DIR"], mode=0o700)
        launcher, address = start_accessibility_bus()
        os.environ["AT_SPI_BUS_ADDRESS"] = address  # libatspi reads it when it first connects
        Atspi.set_timeout(int(PATIENCE * 1000), int(PATIENCE * 1000))
        global EVENTS
        EVENTS = Events()

        work = os.path.join(root, "work")
        for folder, names in (FIRST_FOLDER, SECOND_FOLDER):
            os.makedirs(os.path.join(work, folder))
            for name in names:
                with open(os.path.join(work, folder, name), "w") as f:
                    f.write(name)
        first, second = (os.path.join(work, f[0]) for f in (FIRST_FOLDER, SECOND_FOLDER))
        log_path = os.path.join(root, "program.log")
        with open(log_path, "w") as log:
            process = subprocess.Popen([program, first], env=program_env(root), stdout=log, stderr=log)
        results, other, app = run_checks(process, first, second)
        status = report(results, other)
        if status:
            if app:
                print("the program's objects at the end (role, name, states):\n" + dump(app))
            print("program output:\n" + read(log_path)[-4000:])
            print("FAILED: see the MISS lines above", file=sys.stderr)
    finally:
        if process:
            process.terminate()
            try:
                process.wait(PATIENCE)
            except subprocess.TimeoutExpired:
                process.kill()
        if launcher:
            launcher.terminate()
        shutil.rmtree(root, ignore_errors=True)
    sys.exit(status)


if __name__ == "__main__":
    main()

# A screen reader's view of a real program over the AT-SPI bus of the D-Bus session it
# runs in: atspi_client.py <program> <read-out name or description> <button name>.
# Prints "UNNAMED <role>" for each shown control without a name, "BEFORE <reading>",
# presses the button by its Press action, prints "AFTER <reading>" once it changed.
# Exit 77: no pyatspi or no bus; 1: a failure, said on stderr.
import os, subprocess, sys, time
try:
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
except Exception as e:
    print("no AT-SPI client or bus: %s" % e, file=sys.stderr)
    sys.exit(77)

program, readout_key, button_name = sys.argv[1:4]
SKIP = {"filler", "panel", "frame", "separator", "menu bar", "scroll bar", "application", "dialog", "window"}
proc = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb"))


def walk(node):
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i))


def shown(node, role):
    return node.getRoleName() == role and node.getState().contains(pyatspi.STATE_SHOWING)


def reading(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return node.name


readout = button = app = None
for _ in range(100):
    time.sleep(0.3)
    app = next((a for a in desktop if a is not None and a.get_process_id() == proc.pid), None)
    nodes = list(walk(app)) if app else []
    readout = next((n for n in nodes if shown(n, "label") and readout_key in (n.name, n.description)), None)
    button = next((n for n in nodes if shown(n, "push button") and n.name == button_name), None)
    if readout and button:
        break
else:
    proc.kill()
    sys.exit("no read-out %r or button %r on the bus" % (readout_key, button_name))
for n in nodes:
    if n.getRoleName() not in SKIP and n.getState().contains(pyatspi.STATE_SHOWING) and not n.name.strip():
        print("UNNAMED %s" % n.getRoleName())
before = after = reading(readout)
print("BEFORE " + before)
action = button.queryAction()
action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
for _ in range(50):
    time.sleep(0.3)
    after = reading(readout)
    if after != before:
        break
print("AFTER " + after, flush=True)
proc.terminate()
proc.wait(10)

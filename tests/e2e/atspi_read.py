#!/usr/bin/python3
"""Reads the game's accessibility tree the way a screen reader does: over the AT-SPI bus of the
current D-Bus session, talking plain D-Bus (python3-dbus), so nothing but at-spi2-core is needed.

The application is picked by the process id of the game, so another program on the same bus can
never be mistaken for it. Windows are the application's top-level children, found by their
accessible name (the window title).

Commands (exit 0 on success, 3 when the thing asked for is not there, 1 on a D-Bus error):
  app PID                       the application's accessible name
  dump PID                      the whole tree, one node a line, for a person to read
  value PID WINDOW CAPTION...   for each caption, the name of the label that follows the label
                                CAPTION, the way a screen reader reads "Финансы: 250"; one a line,
                                read in the order given
  text PID WINDOW ROLE          the text of the first node with ROLE (Text interface)
  info PID WINDOW NAME          role, actions and states of the first node called NAME:
                                "role|action,action|state,state"
  act PID WINDOW NAME ACTION    invokes ACTION (name compared without case) on that node
"""

import sys

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
ACTION = "org.a11y.atspi.Action"
TEXT = "org.a11y.atspi.Text"
PROPERTIES = "org.freedesktop.DBus.Properties"
REGISTRY = ("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
# A game that stops answering must not hang the test.
TIMEOUT = 5.0

# AT-SPI state numbers (AtspiStateType) worth showing.
STATES = {
    8: "enabled",
    11: "focusable",
    12: "focused",
    24: "sensitive",
    25: "showing",
    30: "visible",
}


class NotFound(Exception):
    pass


def a11y_bus():
    session = dbus.SessionBus()
    launcher = session.get_object("org.a11y.Bus", "/org/a11y/bus")
    address = launcher.GetAddress(dbus_interface="org.a11y.Bus", timeout=TIMEOUT)
    return dbus.bus.BusConnection(str(address))


class Node:
    def __init__(self, bus, ref):
        self.bus = bus
        self.ref = (str(ref[0]), str(ref[1]))
        self.obj = bus.get_object(self.ref[0], self.ref[1], introspect=False)

    def call(self, interface, method, *args):
        return getattr(self.obj, method)(*args, dbus_interface=interface, timeout=TIMEOUT)

    def prop(self, interface, name):
        # One property at a time: Qt 6.4 crashes on Properties.GetAll of the Accessible interface.
        return self.call(PROPERTIES, "Get", interface, name)

    @property
    def name(self):
        return str(self.prop(ACCESSIBLE, "Name"))

    @property
    def role(self):
        return str(self.call(ACCESSIBLE, "GetRoleName"))

    def children(self):
        return [Node(self.bus, ref) for ref in self.call(ACCESSIBLE, "GetChildren")]

    def interfaces(self):
        return [str(i) for i in self.call(ACCESSIBLE, "GetInterfaces")]

    def actions(self):
        if ACTION not in self.interfaces():
            return []
        count = int(self.prop(ACTION, "NActions"))
        return [str(self.call(ACTION, "GetName", i)) for i in range(count)]

    def states(self):
        words = self.call(ACCESSIBLE, "GetState")
        found = []
        for number, label in sorted(STATES.items()):
            word, bit = divmod(number, 32)
            if word < len(words) and int(words[word]) >> bit & 1:
                found.append(label)
        return found

    def text(self):
        if TEXT not in self.interfaces():
            return None
        count = int(self.prop(TEXT, "CharacterCount"))
        return str(self.call(TEXT, "GetText", 0, count))


def application(bus, pid):
    registry = Node(bus, REGISTRY)
    for app in registry.children():
        owner = bus.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                  "org.freedesktop.DBus", "GetConnectionUnixProcessID", "s",
                                  (app.ref[0],), timeout=TIMEOUT)
        if int(owner) == pid:
            return app
    raise NotFound(f"no application of process {pid} on the accessibility bus")


def window(app, title):
    for top in app.children():
        if top.name == title:
            return top
    names = ", ".join(repr(top.name) for top in app.children())
    raise NotFound(f"no window {title!r} (windows: {names})")


def walk(node):
    """Every node under `node`, depth first, in the order a screen reader reads them."""
    for child in node.children():
        yield child
        yield from walk(child)


def find(root, name):
    for node in walk(root):
        if node.name == name:
            return node
    raise NotFound(f"nothing called {name!r}")


def value_after(nodes, caption):
    # Captions end in a colon or a space; compare them without the space.
    wanted = caption.strip()
    for i, node in enumerate(nodes):
        if node.role == "label" and node.name.strip() == wanted:
            for following in nodes[i + 1:]:
                if following.role == "label":
                    return following.name
            raise NotFound(f"no label after {caption!r}")
    raise NotFound(f"no label {caption!r}")


def dump(app):
    def show(node, depth):
        flat = node.name.replace("\n", "\\n")
        if len(flat) > 70:
            flat = flat[:67] + "..."
        print(f"{'  ' * depth}{node.role} {flat!r} actions={','.join(node.actions())} "
              f"states={','.join(node.states())}")
        for child in node.children():
            show(child, depth + 1)

    show(app, 0)


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    command, pid, args = argv[1], int(argv[2]), argv[3:]
    bus = a11y_bus()
    app = application(bus, pid)
    if command == "app" and not args:
        print(app.name)
    elif command == "dump" and not args:
        dump(app)
    elif command == "value" and len(args) >= 2:
        nodes = list(walk(window(app, args[0])))
        for caption in args[1:]:
            print(value_after(nodes, caption))
    elif command == "text" and len(args) == 2:
        for node in walk(window(app, args[0])):
            if node.role == args[1]:
                print(node.text())
                break
        else:
            raise NotFound(f"no {args[1]!r}")
    elif command == "info" and len(args) == 2:
        node = find(window(app, args[0]), args[1])
        print(f"{node.role}|{','.join(node.actions())}|{','.join(node.states())}")
    elif command == "act" and len(args) == 3:
        node = find(window(app, args[0]), args[1])
        actions = node.actions()
        matches = [i for i, a in enumerate(actions) if a.lower() == args[2].lower()]
        if not matches:
            raise NotFound(f"{args[1]!r} has no action {args[2]!r} (it has: {actions})")
        if not node.call(ACTION, "DoAction", matches[0]):
            print(f"{args[1]!r} refused {args[2]!r}", file=sys.stderr)
            return 1
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except NotFound as e:
        print(e, file=sys.stderr)
        sys.exit(3)
    except dbus.exceptions.DBusException as e:
        print(f"D-Bus: {e.get_dbus_name()}: {e.get_dbus_message()}", file=sys.stderr)
        sys.exit(1)

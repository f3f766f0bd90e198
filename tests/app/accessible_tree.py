#!/usr/bin/python3
"""Reads the running program's accessible tree through AT-SPI, as Orca does, writes it to a file and fails when a
control of the table below is missing. Usage: accessible_tree.py DUMP_FILE"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Role and name (a name ending in "*" is a prefix) the catalogue window must show a screen reader.
MUST_FIND = [
    ("frame", "Каталог старинных карт"),
    ("page tab", "Города"), ("page tab", "Регионы"), ("page tab", "Россия"), ("page tab", "Схемы метро"),
    ("page tab", "Статьи"),
    ("push button", "Свернуть"), ("push button", "Закрыть"), ("push button", "По названию"),
    ("push button", "По году"), ("push button", "По качеству изображения"), ("push button", "О диске"),
    ("link", "Сайт издателя"), ("image", "Качество: *"), ("label", "Автор: *"), ("label", "Объём файла: *"),
]


def walk(node, depth, rows):
    rows.append((depth, node.get_role_name(), node.get_name() or "", node.get_state_set()))
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, rows)


def program():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "mapcatalogue":
            return app
    return None


def main():
    rows = []
    # The program registers with the bus once its window is up; under load that takes a while.
    for _ in range(200):
        app = program()
        if app is not None:
            rows = []
            walk(app, 0, rows)
            if any(name == "Города" for _, _, name, _ in rows):
                break
        time.sleep(0.1)
    with open(sys.argv[1], "w", encoding="utf-8") as dump:
        for depth, role, name, states in rows:
            selected = " [selected]" if states.contains(Atspi.StateType.SELECTED) else ""
            dump.write(f"{'  ' * depth}{role}: {name}{selected}\n")
    missing = [f"{role} \"{name}\"" for role, name in MUST_FIND
               if not any(r == role and (n == name or (name.endswith("*") and n.startswith(name[:-1])))
                          for _, r, n, _ in rows)]
    if not any(r == "page tab" and n == "Города" and s.contains(Atspi.StateType.SELECTED) for _, r, n, s in rows):
        missing.append("the chosen tab \"Города\" selected")
    if missing:
        print("the accessible tree lacks: " + ", ".join(missing))
        return 1
    print(f"the accessible tree holds all {len(MUST_FIND)} controls ({len(rows)} objects)")
    return 0


sys.exit(main())

"""Prints what a screen reader finds of the running Tavimo on the AT-SPI bus: one line per shown
control that has a name, as role, name and description separated by tabs."""
import sys

import pyatspi

# A screen reader goes by the role itself, not by its English text, and that text changed: the
# push button role reads "push button" with Debian 12's AT-SPI (2.46) and "button" with Debian
# 13's (2.56). One name for each role, whatever the release.
ROLE_NAMES = {
    int(pyatspi.ROLE_PUSH_BUTTON): "push button",
    int(pyatspi.ROLE_TEXT): "text",
    int(pyatspi.ROLE_LABEL): "label",
    int(pyatspi.ROLE_FILLER): "filler",
}


def role_name(node):
    return ROLE_NAMES.get(int(node.getRole()), node.getRoleName())


def walk(node):
    if node.getState().contains(pyatspi.STATE_SHOWING) and node.name:
        print("\t".join((role_name(node), node.name, node.description)))
    for child in node:
        if child is not None:
            walk(child)


for application in pyatspi.Registry.getDesktop(0):
    if application is not None and application.name == "Tavimo":
        for window in application:
            walk(window)
        sys.exit(0)
sys.exit("Tavimo is not on the accessibility bus")

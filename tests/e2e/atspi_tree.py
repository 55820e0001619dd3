"""Prints what a screen reader finds of the running Tavimo on the AT-SPI bus: one line per shown
control that has a name, as role, name and description separated by tabs."""
import sys

import pyatspi


def walk(node):
    if node.getState().contains(pyatspi.STATE_SHOWING) and node.name:
        print("\t".join((node.getRoleName(), node.name, node.description)))
    for child in node:
        if child is not None:
            walk(child)


for application in pyatspi.Registry.getDesktop(0):
    if application is not None and application.name == "Tavimo":
        for window in application:
            walk(window)
        sys.exit(0)
sys.exit("Tavimo is not on the accessibility bus")

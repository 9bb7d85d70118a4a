#!/usr/bin/env python3
"""The layers' includes: none runs back up, and no modules include each other in a circle.

A module is a header and its source (gfx/texture.h with gfx/texture.cpp). The layers, lowest
first, and what each may include besides itself are read from cmake/layers.txt, from which
the build makes its include paths; this check says the same plainly, also for the page's
shell (web/), and finds circles inside a layer.
usage: scripts/check_layers.py [SOURCE_ROOT]
"""
import os
import re
import sys


def read_layers(root):
    """{layer: [what it may include: layers, or modules as layer/module]}, lowest first."""
    below = {}
    with open(os.path.join(root, 'cmake', 'layers.txt'), encoding='utf-8') as listing:
        for line in listing:
            if line.strip() and not line.startswith('#'):
                layer, allowed = line.split(':', 1)
                below[layer.strip()] = allowed.split()
    return below


INCLUDE = re.compile(r'^\s*#\s*include\s+"((?:[a-z_]+/)+[A-Za-z0-9_]+)\.h"', re.M)


def modules(root, below):
    """{module: set of modules it includes}, modules named by their path without extension."""
    graph = {}
    for layer in below:
        for folder, _, names in sorted(os.walk(os.path.join(root, layer))):
            for name in sorted(names):
                stem, extension = os.path.splitext(name)
                if extension not in ('.h', '.cpp'):
                    continue
                module = os.path.relpath(os.path.join(folder, stem), root).replace(os.sep, '/')
                text = open(os.path.join(folder, name), encoding='utf-8').read()
                graph.setdefault(module, set()).update(m for m in INCLUDE.findall(text) if m != module)
    return graph


def upward(graph, below):
    found = []
    for module, edges in sorted(graph.items()):
        layer = module.split('/')[0]
        for target in sorted(edges):
            other = target.split('/')[0]
            if other in below and other != layer and other not in below[layer] and target not in below[layer]:
                found.append('%s includes %s: %s is not below %s' % (module, target, target, layer))
    return found


def circles(graph):
    """Each circle once, as a path that returns to its start."""
    found, state = [], {}

    def visit(module, path):
        state[module] = 'open'
        for target in sorted(graph.get(module, ())):
            if state.get(target) == 'open':
                found.append(' -> '.join(path[path.index(target):] + [target]))
            elif target in graph and target not in state:
                visit(target, path + [target])
        state[module] = 'done'

    for module in sorted(graph):
        if module not in state:
            visit(module, [module])
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    below = read_layers(root)
    graph = modules(root, below)
    problems = upward(graph, below) + ['circle: ' + c for c in circles(graph)]
    for problem in problems:
        print(problem)
    print('%d modules in %d layers: %s' % (len(graph), len(below), 'layered' if not problems else
                                           '%d problems' % len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""The layers' includes: none runs back up, and no modules include each other in a circle.

A module is a header and its source (gfx/texture.h with gfx/texture.cpp). The layers, lowest
first, and what each may include besides itself; the build enforces the same with include
paths, this check says it plainly and also finds circles inside a layer.
usage: scripts/check_layers.py [SOURCE_ROOT]
"""
import os
import re
import sys

BELOW = {
    'base': [],
    'gfx': ['base'],
    'audio': ['base'],
    'assets': ['base', 'gfx'],
    'scenes': ['base', 'gfx', 'assets'],
    'engine': ['base', 'gfx', 'audio', 'assets', 'scenes'],
    'shell': ['base', 'gfx', 'audio', 'assets', 'scenes', 'engine'],
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/([A-Za-z0-9_]+)\.h"', re.M)


def modules(root):
    """{module: set of modules it includes}, modules named layer/stem."""
    graph = {}
    for layer in BELOW:
        folder = os.path.join(root, layer)
        for name in sorted(os.listdir(folder)):
            stem, extension = os.path.splitext(name)
            if extension not in ('.h', '.cpp'):
                continue
            text = open(os.path.join(folder, name), encoding='utf-8').read()
            edges = graph.setdefault(layer + '/' + stem, set())
            edges.update(a + '/' + b for a, b in INCLUDE.findall(text) if a + '/' + b != layer + '/' + stem)
    return graph


def upward(graph):
    found = []
    for module, edges in sorted(graph.items()):
        layer = module.split('/')[0]
        for target in sorted(edges):
            other = target.split('/')[0]
            if other in BELOW and other != layer and other not in BELOW[layer]:
                found.append('%s includes %s: %s is not below %s' % (module, target, other, layer))
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
    graph = modules(root)
    problems = upward(graph) + ['circle: ' + c for c in circles(graph)]
    for problem in problems:
        print(problem)
    print('%d modules in %d layers: %s' % (len(graph), len(BELOW), 'layered' if not problems else
                                           '%d problems' % len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())

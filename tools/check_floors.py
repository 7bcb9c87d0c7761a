#!/usr/bin/env python3
"""The code's floors: every #include "..." in src/ and tests/ points to its own floor or below,
and no two modules (a .h with its .cpp) include each other, directly or round a circle.

From the top down: mission, aliens, encounters, landings, instructions, endings, persist, core,
console. Tests may include any floor of src/; src/ never includes tests/. Exits 1, naming the
files, when an include points up or modules form a circle."""
import os
import re
import sys

FLOORS = ["console", "core", "persist", "endings", "instructions", "landings", "encounters", "aliens", "mission"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources(root):
    for folder, _, names in os.walk(root):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(folder, name), root)


def main():
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    os.chdir(top)
    faults = []
    edges = {}  # module -> {module: (including file, included file)}
    for tree in ("src", "tests"):
        for path in sources(tree):
            source = os.path.join(tree, path)
            with open(source, encoding="utf-8") as text:
                includes = INCLUDE.findall(text.read())
            for included in includes:
                if os.path.exists(os.path.join("src", included)):
                    target = os.path.join("src", included)
                elif os.path.exists(os.path.join("tests", included)):
                    target = os.path.join("tests", included)
                else:
                    faults.append(f"{source}: includes \"{included}\", found in neither src/ nor tests/")
                    continue
                if tree == "src":
                    if target.startswith("tests/"):
                        faults.append(f"{source} includes {target}: the game never includes the tests")
                        continue
                    here, there = path.split("/")[0], included.split("/")[0]
                    if here not in FLOORS or there not in FLOORS:
                        faults.append(f"{source} includes {target}: a folder that is not a floor")
                        continue
                    if FLOORS.index(there) > FLOORS.index(here):
                        faults.append(f"{source} includes {target}: {there}/ is a floor above {here}/")
                a, b = os.path.splitext(source)[0], os.path.splitext(target)[0]
                if a != b:
                    edges.setdefault(a, {}).setdefault(b, (source, target))

    # Circles of modules: each group of modules that reach one another (Tarjan's strongly
    # connected components) is reported once, with one circle through it.
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def connect(module):
        index[module] = low[module] = len(index)
        stack.append(module)
        on_stack.add(module)
        for nxt in sorted(edges.get(module, {})):
            if nxt not in index:
                connect(nxt)
                low[module] = min(low[module], low[nxt])
            elif nxt in on_stack:
                low[module] = min(low[module], index[nxt])
        if low[module] == index[module]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == module:
                    break
            if len(group) > 1:
                groups.append(set(group))

    sys.setrecursionlimit(10000)
    for module in sorted(edges):
        if module not in index:
            connect(module)

    for group in groups:
        start = min(group)
        # The shortest way round from start back to start, inside the group.
        previous, frontier = {start: None}, [start]
        closing = None
        while frontier and closing is None:
            following = []
            for module in frontier:
                for nxt in sorted(edges.get(module, {})):
                    if nxt == start:
                        closing = module
                        break
                    if nxt in group and nxt not in previous:
                        previous[nxt] = module
                        following.append(nxt)
                if closing is not None:
                    break
            frontier = following
        circle, module = [start], closing
        while module is not None and module != start:
            circle.insert(1, module)
            module = previous[module]
        source, target = edges[closing][start]
        faults.append(f"{source} includes {target}, closing a circle of modules: "
                      + " -> ".join(circle + [start]))

    for fault in faults:
        print("check_floors: " + fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Counts the program's mutable state the way a reader meets it, with clang-query:
  - file-scope mutables: variables of static storage defined at file or namespace scope in
    our own .cpp files (not const, not constexpr; statics inside functions not counted);
  - mutable externs: such variables declared `extern` in our own headers.
Usage: scripts/count_state.py [--list] BUILD_DIR   (a build configured with
CMAKE_EXPORT_COMPILE_COMMANDS=ON; the page's files are read with the same flags as the
shell's, and emscripten's headers). Prints the two counts."""
import json, os, re, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PRODUCT = ("base", "gfx", "audio", "assets", "scenes", "engine", "shell", "web", "glcompat")
MUTABLE = ("hasGlobalStorage(), unless(isStaticLocal()), unless(hasType(isConstQualified())), "
           "unless(isConstexpr())")
QUERIES = {
    "file-scope mutables": f"varDecl({MUTABLE}, isDefinition(), isExpansionInMainFile())",
    "mutable externs in headers": f"varDecl({MUTABLE}, unless(isDefinition()), "
                                  "unless(isExpansionInMainFile()))",
}


def product_sources(build):
    db = json.load(open(os.path.join(build, "compile_commands.json")))
    files = sorted({os.path.realpath(e["file"]) for e in db})
    ours = [f for f in files if os.path.relpath(f, ROOT).split(os.sep)[0] in PRODUCT]
    shell_entry = next(e for e in db if "/shell/" in e["file"])
    web = []
    for dirpath, _, names in os.walk(os.path.join(ROOT, "web", "shell")):
        web += [os.path.join(dirpath, n) for n in names if n.endswith(".cpp")]
    # The page's files are built by emcc; read them with a desktop shell file's flags.
    # emscripten's own headers are searched after the system's, for what only the page has
    # (its sysroot once emcc has run, which makes the version header).
    sysroot = "/usr/share/emscripten/cache/sysroot/include"
    emscripten = sysroot if os.path.isdir(sysroot) else "/usr/share/emscripten/system/include"
    page = f" -I{ROOT} -idirafter {emscripten} -D__EMSCRIPTEN__ -c "
    extra = [dict(shell_entry, file=f, command=shell_entry.get("command", "").replace(
        " -c ", page).replace(shell_entry["file"], f)) for f in sorted(web)]
    for e in extra:
        e.pop("output", None)
    return ours, db + extra, sorted(web)


def run(build, query, files, db):
    with tempfile.TemporaryDirectory() as tmp:
        with open(os.path.join(tmp, "compile_commands.json"), "w") as f:
            json.dump(db, f)
        with open(os.path.join(tmp, "q"), "w") as f:
            f.write(f"set output diag\nmatch {query}\n")
        out = subprocess.run(["clang-query", "-p", tmp, "-f", os.path.join(tmp, "q")] + files,
                             capture_output=True, text=True).stdout
    found = set()
    for m in re.finditer(r"^(/[^:\n]+):(\d+):(\d+): note: \"root\" binds here", out, re.M):
        path = os.path.relpath(os.path.realpath(m.group(1)), ROOT)
        if path.split(os.sep)[0] in PRODUCT:
            found.add((path, int(m.group(2)), int(m.group(3))))
    return sorted(found)


def main():
    args = [a for a in sys.argv[1:] if a != "--list"]
    if len(args) != 1:
        sys.exit(__doc__)
    ours, db, web = product_sources(args[0])
    for name, query in QUERIES.items():
        found = run(args[0], query, ours + web, db)
        print(f"{name}: {len(found)}")
        if "--list" in sys.argv:
            for path, line, col in found:
                print(f"  {path}:{line}")


if __name__ == "__main__":
    main()

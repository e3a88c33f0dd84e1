"""Applies the mutants of a mutants file one at a time to a copy of the tree (see run.sh).

A mutant is a stanza:
    mutant: NAME
    file: PATH relative to the tree
    tests: TEST_EXECUTABLE...
    - original line(s), exactly as in the file (the text must occur once)
    + replacement line(s)
Lines starting with '#' and blank lines separate stanzas.
"""
import os
import shutil
import subprocess
import sys
from dataclasses import dataclass, field


@dataclass
class Mutant:
    name: str
    file: str = ""
    tests: list = field(default_factory=list)
    old: list = field(default_factory=list)
    new: list = field(default_factory=list)


def read_mutants(path):
    mutants = []
    for number, line in enumerate(open(path, encoding="utf-8").read().splitlines(), 1):
        if line.startswith("mutant:"):
            mutants.append(Mutant(line.split(":", 1)[1].strip()))
        elif not line.strip() or line.startswith("#"):
            continue
        elif not mutants:
            sys.exit(f"{path}:{number}: a stanza starts with 'mutant: NAME'")
        elif line.startswith("file:"):
            mutants[-1].file = line.split(":", 1)[1].strip()
        elif line.startswith("tests:"):
            mutants[-1].tests = line.split(":", 1)[1].split()
        elif line.startswith("- ") or line == "-":
            mutants[-1].old.append(line[2:])
        elif line.startswith("+ ") or line == "+":
            mutants[-1].new.append(line[2:])
        else:
            sys.exit(f"{path}:{number}: expected 'file:', 'tests:', '- old' or '+ new'")
    for m in mutants:
        if not (m.file and m.tests and m.old):
            sys.exit(f"{path}: mutant {m.name} needs a file, tests and original lines")
    return mutants


def build(tree, tests):
    # The named test executables and the program (some tests run it): relinking every other test
    # executable after a change to a low layer would cost more than the tests themselves.
    targets = list(tests) + ["vantorix-lr"]
    result = subprocess.run(["cmake", "--build", os.path.join(tree, "build"), "--target", *targets],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return result.returncode == 0, result.stdout


def catching_test(tree, tests, timeout):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
    for test in tests:
        executable = next((os.path.join(d, test) for d, _, files in os.walk(os.path.join(tree, "build", "tests"))
                           if test in files), None)
        if executable is None:
            sys.exit(f"no test executable {test}")
        try:
            code = subprocess.run([executable, "--gtest_brief=1"], env=env, cwd=os.path.dirname(executable),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return f"{test} (hung)"
        if code != 0:
            return test
    return None


def sync(source, copy):
    """Copies what differs, so a file left mutated by an interrupted run is rewritten and rebuilt."""
    skip = lambda name: name.startswith("build") or name in (".git", "out")
    wanted = set()
    for directory, dirs, files in os.walk(source):
        if directory == source:
            dirs[:] = [d for d in dirs if not skip(d)]
            files = [f for f in files if not skip(f)]
        for name in files:
            relative = os.path.relpath(os.path.join(directory, name), source)
            wanted.add(relative)
            target = os.path.join(copy, relative)
            content = open(os.path.join(directory, name), "rb").read()
            if not os.path.exists(target) or open(target, "rb").read() != content:
                os.makedirs(os.path.dirname(target), exist_ok=True)
                open(target, "wb").write(content)
                shutil.copymode(os.path.join(directory, name), target)
    for directory, dirs, files in os.walk(copy):
        if directory == copy:
            dirs[:] = [d for d in dirs if not skip(d)]
        for name in files:
            path = os.path.join(directory, name)
            if os.path.relpath(path, copy) not in wanted:
                os.remove(path)


def main():
    if sys.argv[1] == "--sync":
        return sync(*sys.argv[2:4])
    tree, mutants_file, *only = sys.argv[1:]
    timeout = int(os.environ.get("MUTATION_TIMEOUT", "300"))
    mutants = [m for m in read_mutants(mutants_file) if not only or m.name in only]
    all_tests = sorted({t for m in mutants for t in m.tests})
    ok, log = build(tree, all_tests)
    if not ok:
        sys.exit("the unmutated tree does not build:\n" + log[-4000:])
    failing = catching_test(tree, all_tests, timeout)
    if failing:
        sys.exit(f"the unmutated tree fails {failing}: fix the tests first")

    killed = counted = 0
    for m in mutants:
        path = os.path.join(tree, m.file)
        original = open(path, encoding="utf-8").read()
        old, new = "\n".join(m.old), "\n".join(m.new)
        if original.count(old) != 1:
            print(f"STALE     {m.name}: the original text occurs {original.count(old)} times in {m.file}")
            continue
        try:
            open(path, "w", encoding="utf-8").write(original.replace(old, new))
            ok, _ = build(tree, m.tests)
            if not ok:
                print(f"NOBUILD   {m.name}: the mutant does not compile (not counted)")
                continue
            counted += 1
            catcher = catching_test(tree, m.tests, timeout)
            if catcher:
                killed += 1
                print(f"KILLED    {m.name} by {catcher}", flush=True)
            else:
                print(f"SURVIVED  {m.name} ({m.file})", flush=True)
        finally:
            open(path, "w", encoding="utf-8").write(original)
    print(f"mutants: {killed} killed of {counted}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Compiler launcher for clang, which knows no execution charset but UTF-8.

gcc builds the program with -fexec-charset=GBK: the sources are UTF-8 and
every narrow string and character literal is GBK at run time. This launcher
gives clang the same program. It mirrors the project's sources into a shadow
tree in which every non-ASCII character of a narrow literal is written as
octal escapes of its GBK bytes (converted by iconv, as gcc converts them), and
compiles the shadow copy instead of the original:

    gbk-literals.py <project root> <shadow root> <compiler> <arguments...>

Wide, UTF-8, UTF-16 and UTF-32 literals, comments and #include lines stay as
they are. A "#line" directive keeps the original file name and line numbers
in diagnostics and __FILE__, and the dependency file names the originals, so
that editing an original rebuilds what depends on it.
"""
import os
import subprocess
import sys

HEADER_EXTENSIONS = (".h", ".hpp", ".inc", ".ipp")
SOURCE_EXTENSIONS = (".cpp", ".cc", ".cxx", ".c")
PREFIXES = {"", "u8", "u", "U", "L"}


def to_gbk(chars):
    """GBK bytes of each character, through the iconv gcc also uses."""
    if not chars:
        return {}
    ordered = sorted(chars)
    joined = "\n".join(ordered).encode("utf-8")
    done = subprocess.run(["iconv", "-f", "UTF-8", "-t", "GBK"], input=joined, capture_output=True)
    if done.returncode != 0:
        raise SystemExit("gbk-literals: a narrow literal holds a character without a GBK form: "
                         + done.stderr.decode(errors="replace"))
    encoded = done.stdout.split(b"\n")
    assert len(encoded) == len(ordered)
    return dict(zip(ordered, encoded))


def escape(text, table):
    return "".join("".join("\\%03o" % b for b in table[ch]) if ord(ch) >= 0x80 else ch for ch in text)


def transform(src):
    """The source with the non-ASCII characters of narrow literals escaped."""
    pieces = []  # (kind, text): kind "code", "narrow" (literal body) or "raw" (raw literal body)
    i, n = 0, len(src)
    line_start = True
    out_code = []

    def flush():
        if out_code:
            pieces.append(("code", "".join(out_code)))
            out_code.clear()

    while i < n:
        c = src[i]
        if line_start:
            j = i
            while j < n and src[j] in " \t":
                j += 1
            if src.startswith("#", j):
                k = j + 1
                while k < n and src[k] in " \t":
                    k += 1
                if src.startswith("include", k):
                    end = src.find("\n", k)
                    end = n if end < 0 else end
                    out_code.append(src[i:end])
                    i = end
                    continue
        line_start = False
        if c == "\n":
            out_code.append(c)
            i += 1
            line_start = True
        elif src.startswith("//", i):
            end = src.find("\n", i)
            end = n if end < 0 else end
            out_code.append(src[i:end])
            i = end
        elif src.startswith("/*", i):
            end = src.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out_code.append(src[i:end])
            i = end
        elif c.isdigit() or (c == "." and i + 1 < n and src[i + 1].isdigit()):
            # A pp-number, digit separators included (1'000 is no literal).
            j = i + 1
            while j < n:
                d = src[j]
                if d in "eEpP" and j + 1 < n and src[j + 1] in "+-":
                    j += 2
                elif d.isalnum() or d in "_." or (d == "'" and j + 1 < n and src[j + 1].isalnum()):
                    j += 1
                else:
                    break
            out_code.append(src[i:j])
            i = j
        elif c.isalpha() or c == "_" or c in "\"'":
            j = i
            while j < n and (src[j].isalnum() or src[j] == "_"):
                j += 1
            word = src[i:j]
            if j < n and src[j] in "\"'":
                raw = word.endswith("R") and src[j] == '"'
                prefix = word[:-1] if raw else word
                if prefix in PREFIXES:
                    narrow = prefix == ""
                    if raw:
                        open_paren = src.index("(", j)
                        delimiter = src[j + 1:open_paren]
                        close = src.index(")" + delimiter + '"', open_paren)
                        body = src[open_paren + 1:close]
                        end = close + len(delimiter) + 2
                        if narrow and any(ord(ch) >= 0x80 for ch in body):
                            flush()
                            pieces.append(("raw", (delimiter, body)))
                        else:
                            out_code.append(src[i:end])
                        i = end
                        continue
                    quote = src[j]
                    k = j + 1
                    while k < n and src[k] != quote:
                        k += 2 if src[k] == "\\" else 1
                    body = src[j + 1:k]
                    if narrow and any(ord(ch) >= 0x80 for ch in body):
                        flush()
                        pieces.append(("narrow", (quote, body)))
                    else:
                        out_code.append(src[i:k + 1])
                    i = k + 1
                    continue
            out_code.append(word)
            i = j
        else:
            out_code.append(c)
            i += 1
    flush()

    chars = set()
    for kind, value in pieces:
        if kind != "code":
            chars.update(ch for ch in value[1] if ord(ch) >= 0x80)
    table = to_gbk(chars)
    out = []
    for kind, value in pieces:
        if kind == "code":
            out.append(value)
        elif kind == "narrow":
            quote, body = value
            out.append(quote + escape(body, table) + quote)
        else:
            # A raw literal cannot hold escapes: it is split into raw ASCII
            # runs and ordinary literals for the rest, which concatenate.
            delimiter, body = value
            parts, run = [], ""
            for ch in body:
                if ord(ch) >= 0x80:
                    if run:
                        parts.append('R"%s(%s)%s"' % (delimiter, run, delimiter))
                        run = ""
                    parts.append('"' + escape(ch, table) + '"')
                else:
                    run += ch
            if run:
                parts.append('R"%s(%s)%s"' % (delimiter, run, delimiter))
            out.append(" ".join(parts))
    return "".join(out)


def mirror(original, shadow):
    """Writes the shadow copy when it is missing or older than the original."""
    try:
        if os.path.getmtime(shadow) >= os.path.getmtime(original):
            return
    except OSError:
        pass
    with open(original, encoding="utf-8") as f:
        text = f.read()
    quoted = original.replace("\\", "\\\\").replace('"', '\\"')
    result = '#line 1 "%s"\n' % quoted + transform(text)
    os.makedirs(os.path.dirname(shadow), exist_ok=True)
    temporary = "%s.%d.tmp" % (shadow, os.getpid())
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(result)
    os.replace(temporary, shadow)


def main():
    root = os.path.realpath(sys.argv[1])
    shadow_root = os.path.realpath(sys.argv[2])
    command = sys.argv[3:]

    def inside_project(path):
        real = os.path.realpath(path)
        return (real.startswith(root + os.sep) and not real.startswith(shadow_root + os.sep)
                and not os.path.relpath(real, root).startswith("build" + os.sep))

    source_index = None
    for index, argument in enumerate(command[1:], start=1):
        if argument.endswith(SOURCE_EXTENSIONS) and os.path.isfile(argument) and command[index - 1] != "-o":
            source_index = index
    if source_index is None or not inside_project(command[source_index]):
        os.execvp(command[0], command)

    for directory, subdirectories, files in os.walk(root):
        relative = os.path.relpath(directory, root)
        subdirectories[:] = [d for d in subdirectories
                             if not d.startswith(".") and not (relative == "." and d == "build")
                             and os.path.realpath(os.path.join(directory, d)) != shadow_root]
        for name in files:
            if name.endswith(HEADER_EXTENSIONS):
                original = os.path.join(directory, name)
                mirror(original, os.path.join(shadow_root, os.path.relpath(original, root)))

    source = os.path.realpath(command[source_index])
    shadow_source = os.path.join(shadow_root, os.path.relpath(source, root))
    mirror(source, shadow_source)
    command = [command[0], "-I" + shadow_root] + command[1:source_index] + [shadow_source] + command[source_index + 1:]
    done = subprocess.run(command)
    if done.returncode == 0 and "-MF" in command:
        depfile = command[command.index("-MF") + 1]
        try:
            with open(depfile, encoding="utf-8") as f:
                text = f.read()
            with open(depfile, "w", encoding="utf-8") as f:
                f.write(text.replace(shadow_root + os.sep, root + os.sep))
        except OSError:
            pass
    sys.exit(done.returncode)


if __name__ == "__main__":
    main()

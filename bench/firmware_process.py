#!/usr/bin/env python3
"""Times `fenwarp-cli patch` as a whole process on a template of at least 4 MB
beside `cp` of the template and `srec_cat` doing the same replacement, in one
run, and reports the peak memory of the patch.

Usage: firmware_process.py FENWARP_CLI
Goals: patch <= 1.5 x cp and <= 0.05 x srec_cat; memory <= template + a constant.
"""
import os, random, shutil, statistics, subprocess, sys, tempfile, time

def s2(address, data):
    body = bytes([len(data) + 4, address >> 16 & 0xFF, address >> 8 & 0xFF, address & 0xFF]) + data
    return "S2" + body.hex().upper() + "%02X" % (~sum(body) & 0xFF) + "\r\n"

def make_folder(root, cli):
    os.makedirs(os.path.join(root, "MASTER"))
    os.makedirs(os.path.join(root, "PROJECTS", "P", "bin"))
    shutil.copy2(cli, os.path.join(root, "fenwarp-cli"))
    rnd = random.Random(7)
    lines = ["S00F000068656C6C6F202020202000003C\r\n"]
    size, address = len(lines[0]), 0x300000
    while size < 4 << 20:
        line = s2(address, bytes(rnd.getrandbits(8) for _ in range(32)))
        lines.append(line)
        size += len(line)
        address += 32
    lines.append("S804300000CB\r\n")
    template = os.path.join(root, "MASTER", "Brax_Traslate.sx")
    with open(template, "w", newline="") as f:
        f.write("".join(lines))
    for k in range(1, 6):
        with open(os.path.join(root, "PROJECTS", "P", "bin", "bank%d.bin" % k), "wb") as f:
            f.write(bytes((i * k) & 0xFF for i in range(16384)))
    return template

def run(argv):
    """Wall time of one run."""
    start = time.perf_counter()
    done = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit("failed: %s: %s" % (" ".join(argv), done.stderr.decode()))
    return elapsed

def peak_kib(argv):
    """Peak resident memory of the program itself, by /usr/bin/time: the
    rusage of a child forked from this interpreter would count its pages."""
    done = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True)
    return int(done.stderr.strip().splitlines()[-1])

def main():
    cli = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="fenwarp-process-bench-")
    try:
        template = make_folder(root, cli)
        bin_dir = os.path.join(root, "PROJECTS", "P", "bin")
        out = os.path.join(root, "out")
        os.makedirs(out)
        commands = {
            "patch": [os.path.join(root, "fenwarp-cli"), "patch", "P"],
            "cp": ["cp", template, os.path.join(out, "cp.sx")],
            "srec_cat": ["srec_cat", template, "-exclude", "0x388000", "0x38C000",
                         "-exclude", "0x398000", "0x39C000",
                         os.path.join(bin_dir, "bank1.bin"), "-binary", "-offset", "0x388000",
                         os.path.join(bin_dir, "bank2.bin"), "-binary", "-offset", "0x398000",
                         "-o", os.path.join(out, "srec_cat.sx"), "-obs=32",
                         "-address-length=3", "-disable=data-count"],
        }
        times = {name: [] for name in commands}
        for _ in range(2):  # warm the caches
            for argv in commands.values():
                run(argv)
        # Interleaved, so that a busy moment of the machine weighs on all alike.
        for _ in range(15):
            for name, argv in commands.items():
                times[name].append(run(argv))
        memory = peak_kib(commands["patch"])
        idle = peak_kib([commands["patch"][0], "--help"])
        median = {name: statistics.median(t) * 1000 for name, t in times.items()}
        size_kib = os.path.getsize(template) / 1024
        print("whole process, template %.1f MB, median of 15:" % (size_kib / 1024))
        print("  fenwarp-cli patch  %8.2f ms" % median["patch"])
        print("  cp                 %8.2f ms" % median["cp"])
        print("  srec_cat           %8.2f ms" % median["srec_cat"])
        print("  patch / cp       = %.2f   (goal <= 1.50)" % (median["patch"] / median["cp"]))
        print("  patch / srec_cat = %.3f  (goal <= 0.050)" % (median["patch"] / median["srec_cat"]))
        print("  patch peak memory  %8d KiB (program alone, --help: %d KiB; template %.0f KiB)"
              % (memory, idle, size_kib))
        print("  memory of the patch beyond the program's own: %d KiB (goal: <= template + constant)"
              % (memory - idle))
    finally:
        shutil.rmtree(root, ignore_errors=True)

if __name__ == "__main__":
    main()

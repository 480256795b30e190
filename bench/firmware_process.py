#!/usr/bin/env python3
"""Times `fenwarp-cli patch` as a whole process beside `cp` of the template and
`srec_cat` doing the same replacement, in one run, on a 4 MB template and on
one of 9.8 MB (the size of the gateway's own image), and reports the peak
memory of the patch.

The template is a master file used for update after update: its digest is
hashed once and then taken from update.log while the file stands unchanged.
"patch" is that usual case; "patch, template hashed" is the first update
after the template changed (the project's update.log removed before each run).

Usage: firmware_process.py FENWARP_CLI
Goals: patch <= 1.5 x cp and <= 0.05 x srec_cat; memory <= template + a constant.
"""
import os, random, shutil, statistics, subprocess, sys, tempfile, time

def s2(address, data):
    body = bytes([len(data) + 4, address >> 16 & 0xFF, address >> 8 & 0xFF, address & 0xFF]) + data
    return "S2" + body.hex().upper() + "%02X" % (~sum(body) & 0xFF) + "\r\n"

def make_folder(root, cli, megabytes):
    os.makedirs(os.path.join(root, "MASTER"))
    os.makedirs(os.path.join(root, "PROJECTS", "P", "bin"))
    shutil.copy2(cli, os.path.join(root, "fenwarp-cli"))
    rnd = random.Random(7)
    lines = ["S00F000068656C6C6F202020202000003C\r\n"]
    size, address = len(lines[0]), 0x300000
    while size < megabytes * (1 << 20):
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

def measure(cli, megabytes):
    root = tempfile.mkdtemp(prefix="fenwarp-process-bench-")
    try:
        template = make_folder(root, cli, megabytes)
        project = os.path.join(root, "PROJECTS", "P")
        bin_dir = os.path.join(project, "bin")
        log = os.path.join(project, "update.log")
        out = os.path.join(root, "out")
        os.makedirs(out)
        patch = [os.path.join(root, "fenwarp-cli"), "patch", "P"]
        commands = {
            "patch": patch,
            "patch, template hashed": patch,
            "cp": ["cp", template, os.path.join(out, "cp.sx")],
            "srec_cat": ["srec_cat", template, "-exclude", "0x388000", "0x38C000",
                         "-exclude", "0x398000", "0x39C000",
                         os.path.join(bin_dir, "bank1.bin"), "-binary", "-offset", "0x388000",
                         os.path.join(bin_dir, "bank2.bin"), "-binary", "-offset", "0x398000",
                         "-o", os.path.join(out, "srec_cat.sx"), "-obs=32",
                         "-address-length=3", "-disable=data-count"],
        }
        # A template's digest is trusted only once the file has stood
        # unchanged for two seconds.
        time.sleep(2.2)
        times = {name: [] for name in commands}
        for round in range(17):  # two to warm the caches, then fifteen
            # Interleaved, so that a busy moment of the machine weighs on all alike.
            for name, argv in commands.items():
                if name == "patch, template hashed" and os.path.exists(log):
                    os.remove(log)
                elapsed = run(argv)
                if round >= 2:
                    times[name].append(elapsed)
        memory = peak_kib(patch)
        idle = peak_kib([patch[0], "--help"])
        median = {name: statistics.median(t) * 1000 for name, t in times.items()}
        size_kib = os.path.getsize(template) / 1024
        print("whole process, template %.1f MB, median of 15:" % (size_kib / 1024))
        for name in commands:
            print("  %-24s %8.2f ms" % (name, median[name]))
        for name in ("patch", "patch, template hashed"):
            print("  %-24s / cp = %.2f (goal <= 1.50)   / srec_cat = %.3f (goal <= 0.050)"
                  % (name, median[name] / median["cp"], median[name] / median["srec_cat"]))
        print("  patch peak memory  %8d KiB (program alone, --help: %d KiB; template %.0f KiB)"
              % (memory, idle, size_kib))
        print("  memory of the patch beyond the program's own: %d KiB (goal: <= template + constant)"
              % (memory - idle))
    finally:
        shutil.rmtree(root, ignore_errors=True)

def main():
    cli = os.path.abspath(sys.argv[1])
    for megabytes in (4, 9.8):
        measure(cli, megabytes)

if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The whole render, one process per run, side by side: tvktool transform (all rows, fresh
parse; and "first 50" as the preview renders) against xsltproc and, when installed,
Saxon-HE over the same generated stylesheet and XML document. Prints wall time (min and
median of the runs) and peak memory of each.

usage: bench/side_by_side.py BUILD_DIR [--rows 10000,100000,300000] [--runs 3]
                             [--processors tvktool,xsltproc,saxon-he]
"""
import argparse
import hashlib
import os
import statistics
import subprocess
import sys
import tempfile

COLUMNS = 6
SAXON_JAR = "/usr/share/java/Saxon-HE.jar"


def rows_xml(path, rows):
    with open(path, "w", encoding="utf-8") as out:
        out.write("<rows>")
        for row in range(1, rows + 1):
            out.write("<row>")
            out.write("".join(f"<c{c}>value {row}.{c}</c{c}>" for c in range(1, COLUMNS + 1)))
            out.write("</row>")
        out.write("</rows>")


def table_file(path, xml_name):
    """A table of six "Text" columns over /rows/row with headers shown: the example table's
    file with its properties, columns, XML file and stylesheet name replaced."""
    example = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                           "../resources/examples/demo_books.tvk")
    with open(example, encoding="utf-8") as template:
        sections = template.read().split("\x04")
    props = [("Xpath-Table", "/rows/row"), ("Headers Visible-Table", "True")]
    tree = []
    for c in range(1, COLUMNS + 1):
        name = f"c{c}"
        props += [(f"Type-{name}", "Text"), (f"Header Title-{name}", name.upper()),
                  (f"Xpath-{name}@value", f"/rows/row/{name}")]
        tree += [f"Table\x02{name}\x02{name}\x03", f"{name}\x02{name}-value\x02value\x03"]
    geometry, rest = sections[3].split("demo_books.xsl\x02")
    cached_xml_end = rest.index("</catalog>\n") + len("</catalog>\n")
    sections[0] = xml_name
    sections[1] = "Properties\x02Properties\x03" + "".join(f"{k}\x02{v}\x03" for k, v in props)
    sections[2] = "".join(tree)
    sections[3] = geometry + "Bench.xsl\x02" + rest[:rest.index("<?xml")] + rest[cached_xml_end:]
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write("\x04".join(sections))


def measure(command, output, runs):
    """Wall seconds of each run, CPU seconds (user and system) of the fastest, the largest
    peak resident size in MB; the page's digest."""
    times, cpu, peak = [], [], 0
    for _ in range(runs):
        with open(output, "wb") as out:
            timed = subprocess.run(["/usr/bin/time", "-f", "%e %U %S %M"] + command, stdout=out,
                                   stderr=subprocess.PIPE, text=True)
        if timed.returncode != 0:
            return None, timed.stderr.strip().splitlines()[:-2]
        seconds, user, system, kb = timed.stderr.strip().splitlines()[-1].split()
        times.append(float(seconds))
        cpu.append(float(user) + float(system))
        peak = max(peak, int(kb) // 1024)
    with open(output, "rb") as page:
        digest = hashlib.sha1(page.read()).hexdigest()[:10]
    return (min(times), statistics.median(times), min(cpu), peak, digest), None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--rows", default="10000,100000,300000")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--processors", default="tvktool,xsltproc,saxon-he")
    args = parser.parse_args()
    tvktool = os.path.join(os.path.abspath(args.build), "tests/tools/tvktool")
    saxon = os.path.exists(SAXON_JAR) and subprocess.run(
        ["java", "-version"], capture_output=True).returncode == 0
    with tempfile.TemporaryDirectory() as home:
        os.environ["TARVIK_HOME"] = home
        table = os.path.join(home, "Bench.tvk")
        table_file(table, os.path.join(home, "rows.xml"))
        xml = os.path.join(home, "rows.xml")
        stylesheets = {}
        for label, options in (("all rows", ["--production"]), ("first 50", ["--rows-index", "4"])):
            xsl = os.path.join(home, f"{label.replace(' ', '')}.xsl")
            with open(xsl, "w") as out:
                subprocess.run([tvktool, "generate", table] + options, stdout=out, check=True)
            stylesheets[label] = (xsl, options)
        page = os.path.join(home, "page.html")
        print(f"{'rows':>7} {'rows shown':<9} {'processor':<9} {'min s':>7} {'median s':>8} "
              f"{'cpu s':>6} {'peak MB':>8}  page")
        for rows in (int(r) for r in args.rows.split(",")):
            rows_xml(xml, rows)
            for label, (xsl, options) in stylesheets.items():
                runs = [("tvktool", [tvktool, "transform", table] + options),
                        ("xsltproc", ["xsltproc", xsl, xml])]
                if saxon:
                    runs.append(("saxon-he", ["java", "-cp", SAXON_JAR, "net.sf.saxon.Transform",
                                              f"-s:{xml}", f"-xsl:{xsl}"]))
                for name, command in runs:
                    if name not in args.processors.split(","):
                        continue
                    figures, failure = measure(command, page, args.runs)
                    if figures is None:
                        print(f"{rows:>7} {label:<9} {name:<9} failed: {' '.join(failure)}")
                        continue
                    low, median, cpu, peak, digest = figures
                    print(f"{rows:>7} {label:<9} {name:<9} {low:>7.2f} {median:>8.2f} {cpu:>6.2f} "
                          f"{peak:>8}  {digest}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())

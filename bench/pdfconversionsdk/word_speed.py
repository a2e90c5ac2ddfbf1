#!/usr/bin/env python3
"""Word conversion against pdftotext on a long text manual, both run in turn in the same run.

Makes the manual (about 120 pages: chapters, numbered steps, notes, code, small tables,
running footers) with LibreOffice, then times bench_word_convert in flowing and page layout
against pdftotext, pair by pair, and prints the medians, the ratios and the peak memory.

    word_speed.py <build>/bundle/MacOS/bench_word_convert [work folder] [runs]
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:font-face-decls>
  <style:font-face style:name="Liberation Serif" svg:font-family="'Liberation Serif'" style:font-family-generic="roman"/>
  <style:font-face style:name="Liberation Sans" svg:font-family="'Liberation Sans'" style:font-family-generic="swiss"/>
  <style:font-face style:name="Liberation Mono" svg:font-family="'Liberation Mono'" style:font-family-generic="modern" style:font-pitch="fixed"/>
 </office:font-face-decls>
 <office:styles>
  <style:default-style style:family="paragraph"><style:paragraph-properties fo:margin-bottom="0.2cm"/><style:text-properties style:font-name="Liberation Serif" fo:font-size="11pt" fo:language="en" fo:country="GB"/></style:default-style>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="21cm" fo:page-height="29.7cm" fo:margin-top="2cm" fo:margin-bottom="1.5cm" fo:margin-left="2.2cm" fo:margin-right="2.2cm"/><style:footer-style><style:header-footer-properties fo:min-height="0.6cm" fo:margin-top="0.3cm"/></style:footer-style></style:page-layout>
  <style:style style:name="Ch" style:family="paragraph"><style:paragraph-properties fo:break-before="page" fo:margin-bottom="0.4cm" fo:border-bottom="1pt solid #2e75b6" fo:padding-bottom="0.1cm"/><style:text-properties style:font-name="Liberation Sans" fo:font-size="18pt" fo:font-weight="bold" fo:color="#1f3864"/></style:style>
  <style:style style:name="H" style:family="paragraph"><style:paragraph-properties fo:margin-top="0.35cm" fo:margin-bottom="0.15cm" fo:keep-with-next="always"/><style:text-properties style:font-name="Liberation Sans" fo:font-size="12.5pt" fo:font-weight="bold" fo:color="#2e75b6"/></style:style>
  <style:style style:name="Body" style:family="paragraph"><style:paragraph-properties fo:text-align="justify" fo:margin-bottom="0.2cm"/><style:text-properties style:font-name="Liberation Serif" fo:font-size="10.5pt"/></style:style>
  <style:style style:name="Code" style:family="paragraph"><style:paragraph-properties fo:margin-left="0.6cm" fo:margin-bottom="0cm"/><style:text-properties style:font-name="Liberation Mono" fo:font-size="9pt" fo:color="#833c0b"/></style:style>
  <style:style style:name="Note" style:family="paragraph"><style:paragraph-properties fo:margin-top="0.15cm" fo:margin-bottom="0.25cm" fo:background-color="#e2efd9" fo:padding="0.12cm"/><style:text-properties style:font-name="Liberation Sans" fo:font-size="9.5pt"/></style:style>
  <style:style style:name="LP" style:family="paragraph"><style:paragraph-properties fo:margin-bottom="0.1cm"/><style:text-properties style:font-name="Liberation Serif" fo:font-size="10.5pt"/></style:style>
  <style:style style:name="Cell" style:family="paragraph"><style:text-properties style:font-name="Liberation Sans" fo:font-size="9pt"/></style:style>
  <style:style style:name="Foot" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/><style:text-properties style:font-name="Liberation Sans" fo:font-size="8.5pt" fo:color="#595959"/></style:style>
  <style:style style:name="B" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
  <style:style style:name="K" style:family="text"><style:text-properties style:font-name="Liberation Mono" fo:color="#833c0b"/></style:style>
  <style:style style:name="T" style:family="table"><style:table-properties style:width="16.6cm" table:align="left" fo:margin-top="0.2cm" fo:margin-bottom="0.3cm"/></style:style>
  <style:style style:name="TC" style:family="table-cell"><style:table-cell-properties fo:padding="0.08cm" fo:border="0.5pt solid #808080"/></style:style>
  <text:list-style style:name="L1"><text:list-level-style-number text:level="1" style:num-suffix="." style:num-format="1"><style:list-level-properties text:list-level-position-and-space-mode="label-alignment"><style:list-level-label-alignment text:label-followed-by="listtab" text:list-tab-stop-position="0.8cm" fo:text-indent="-0.5cm" fo:margin-left="0.8cm"/></style:list-level-properties></text:list-level-style-number></text:list-style>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Standard" style:page-layout-name="pm1"><style:footer><text:p text:style-name="Foot">Controller series 5 – Operating manual – page <text:page-number text:select-page="current"/></text:p></style:footer></style:master-page></office:master-styles>
 <office:body><office:text>
"""

WORDS = """the controller unit valve pressure sensor supply panel setting display menu value switch
relay output input cable terminal circuit fault service schedule operator channel signal range
limit alarm interval battery module memory record filter pump heating cooling outdoor indoor
temperature humidity level flow return reset mode standby program profile delay threshold check
connect remove replace adjust select confirm press hold release open close start stop during
after before when while each every other another first second last next previous current normal
manual automatic external internal maximum minimum default factory installer user system building
zone room floor wall door window ceiling network address protocol message status report history""".split()


def sentence(rng, low=8, high=20):
    words = [rng.choice(WORDS) for _ in range(rng.randint(low, high))]
    return " ".join(words).capitalize() + "."


def paragraph(rng, sentences):
    return " ".join(sentence(rng) for _ in range(sentences))


def manual(chapters=52, seed=7):
    rng = random.Random(seed)
    out = [HEAD]
    for c in range(1, chapters + 1):
        out.append('<text:p text:style-name="Ch">%d %s</text:p>' % (c, sentence(rng, 2, 4)[:-1].title()))
        for s in range(1, 6):
            out.append('<text:p text:style-name="H">%d.%d %s</text:p>' % (c, s, sentence(rng, 2, 5)[:-1]))
            for _ in range(2):
                out.append('<text:p text:style-name="Body">%s <text:span text:style-name="B">%s</text:span> %s</text:p>'
                           % (paragraph(rng, 3), rng.choice(WORDS), paragraph(rng, 2)))
            if s == 2:
                out.append('<text:list text:style-name="L1">')
                for _ in range(5):
                    out.append('<text:list-item><text:p text:style-name="LP">%s</text:p></text:list-item>'
                               % sentence(rng, 6, 14))
                out.append('</text:list>')
            if s == 3:
                out.append('<text:p text:style-name="Note"><text:span text:style-name="B">Note:</text:span> %s</text:p>'
                           % paragraph(rng, 2))
                for k in range(4):
                    out.append('<text:p text:style-name="Code">set %s.%s = %d</text:p>'
                               % (rng.choice(WORDS), rng.choice(WORDS), rng.randint(0, 999)))
            if s == 4:
                out.append('<table:table table:style-name="T"><table:table-column table:number-columns-repeated="4"/>')
                for r in range(6):
                    cells = ["Parameter", "Range", "Default", "Unit"] if r == 0 else [
                        rng.choice(WORDS) + " " + rng.choice(WORDS), "%d–%d" % (r, r * 40),
                        str(rng.randint(0, 99)), rng.choice(["°C", "s", "%", "bar"])]
                    out.append('<table:table-row>' + "".join(
                        '<table:table-cell table:style-name="TC"><text:p text:style-name="Cell">%s</text:p></table:table-cell>'
                        % cell for cell in cells) + '</table:table-row>')
                out.append('</table:table>')
            out.append('<text:p text:style-name="Body">%s</text:p>' % paragraph(rng, 4))
    out.append('</office:text></office:body></office:document>\n')
    return "\n".join(out)


def timed(command):
    """Wall seconds and peak memory (MB) of one run of the command."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(command))
    return wall, usage.ru_maxrss / 1024


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    convert = os.path.abspath(sys.argv[1])
    work = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="word-speed-")
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    os.makedirs(work, exist_ok=True)
    pdf = os.path.join(work, "manual.pdf")
    if not os.path.exists(pdf):
        with open(os.path.join(work, "manual.fodt"), "w", encoding="utf-8") as f:
            f.write(manual())
        profile = "file://" + os.path.join(work, "profile")
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--norestore",
                        "--convert-to", "pdf", "--outdir", work, os.path.join(work, "manual.fodt")],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    pages = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    pages = next(line.split()[-1] for line in pages.splitlines() if line.startswith("Pages:"))
    print("%s: %s pages, %d paired runs after one warm-up, %d cores" % (pdf, pages, runs, os.cpu_count()))
    commands = {
        "pdftotext": ["pdftotext", pdf, os.path.join(work, "out.txt")],
        "flowing": [convert, "flowing", pdf, os.path.join(work, "flowing.docx")],
        "layout": [convert, "layout", pdf, os.path.join(work, "layout.docx")],
    }
    figures = {name: [] for name in commands}
    for run in range(runs + 1):
        for name, command in commands.items():
            figure = timed(command)
            if run > 0:
                figures[name].append(figure)
    base = [wall for wall, _ in figures["pdftotext"]]
    for name, values in figures.items():
        walls = [wall for wall, _ in values]
        ratios = [wall / b for wall, b in zip(walls, base)]
        print("%-10s wall median %6.3f s (min %6.3f, max %6.3f)  ratio to pdftotext median %5.2f "
              "(min %5.2f, max %5.2f)  peak %6.1f MB"
              % (name, statistics.median(walls), min(walls), max(walls), statistics.median(ratios),
                 min(ratios), max(ratios), max(mb for _, mb in values)))


if __name__ == "__main__":
    main()

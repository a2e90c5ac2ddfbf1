#!/usr/bin/python3
"""Excel and CSV output against spreadsheets with known cells.

Makes statements, sales lists, ledgers, inventories and more (5 to 12 columns: headings set left
over numbers set right, thousands separators and negatives, dates, sparse and centred columns,
long texts, a table without a header) as .xlsx, prints each
to PDF with LibreOffice without grid lines and again with them, converts every PDF to Excel
(all content, tables only) and to CSV through the conversion library as the application sets
its options, and prints per sheet the share of the sheet's rows found exactly in the output
(numbers compared by value, the header row included) and the output's column count against
the sheet's. With --before, the same conversions run through another build's library too.
Prints figures; asserts nothing.

  sheet_fidelity.py [--build <MacOS folder>] [--before <MacOS folder>] [--runs N] [work folder]
"""

import argparse
import csv
import datetime
import os
import random
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

import openpyxl
from openpyxl.styles import Alignment, Font

MODES = ("xlsx-all", "xlsx-tables", "csv")


# ---- the spreadsheets ------------------------------------------------------------------------

def money(v):
    return f"{v:,.2f}"


def plain2(v):
    return f"{v:.2f}"


def grouped(v):
    return f"{v:,.0f}"


class Sheet:
    """A table with the text each cell shows, and how to write it into a worksheet."""

    def __init__(self, name, title=None):
        self.name = name
        self.title = title
        self.landscape = False
        self.header = []
        self.rows = []  # cells: (value, number format or None, shown text)
        self.widths = {}
        self.centred = set()
        self.right_headings = set()  # headings set right (over numbers)
        self.font = None  # (name, size) for every cell
        self.has_header = True

    def truth(self):
        head = [list(self.header)] if self.has_header else []
        return head + [[shown for _, _, shown in row] for row in self.rows]

    def write(self, path, grid):
        book = openpyxl.Workbook()
        ws = book.active
        ws.title = self.name
        r = 1
        if self.title:
            ws.cell(row=1, column=1, value=self.title).font = Font(bold=True, size=14)
            r = 3
        font = {"name": self.font[0], "size": self.font[1]} if self.font else {}
        for c, text in enumerate(self.header if self.has_header else [], 1):
            cell = ws.cell(row=r, column=c, value=text)
            cell.font = Font(bold=True, **font)
            if c - 1 in self.centred:
                cell.alignment = Alignment(horizontal="center")
            elif c - 1 in self.right_headings:
                cell.alignment = Alignment(horizontal="right")
        if not self.has_header:
            r -= 1
        for row in self.rows:
            r += 1
            for c, (value, fmt, _) in enumerate(row, 1):
                if value is None:
                    continue
                cell = ws.cell(row=r, column=c, value=value)
                if fmt:
                    cell.number_format = fmt
                if font:
                    cell.font = Font(**font)
                if c - 1 in self.centred:
                    cell.alignment = Alignment(horizontal="center")
        for c, width in self.widths.items():
            ws.column_dimensions[openpyxl.utils.get_column_letter(c + 1)].width = width
        ws.print_options.gridLines = grid
        ws.page_setup.paperSize = ws.PAPERSIZE_A4
        # Pages as wide as the table, as long as it takes.
        if self.landscape:
            ws.page_setup.orientation = "landscape"
        ws.sheet_properties.pageSetUpPr.fitToPage = True
        ws.page_setup.fitToWidth = 1
        ws.page_setup.fitToHeight = 0
        book.save(path)


def num(v, fmt, show):
    return (v, fmt, show(v))


def text(t):
    return (t, None, t) if t else (None, None, "")


def day(d, fmt="YYYY-MM-DD", show="%Y-%m-%d"):
    return (d, fmt, d.strftime(show))


def ledger(rnd):
    s = Sheet("Ledger", "General ledger 2023")
    s.header = ["Account", "Q1", "Q2", "Q3", "Q4", "Total"]
    s.widths = {0: 28, 1: 13, 2: 13, 3: 13, 4: 13, 5: 14}
    accounts = ["Sales revenue", "Service income", "Cost of goods sold", "Salaries and wages", "Office rent",
                "Utilities", "Travel", "Marketing", "Depreciation", "Interest expense", "Bank charges",
                "Foreign exchange"]
    for a in accounts:
        qs = [round(rnd.uniform(-2000, 260000) if rnd.random() > 0.2 else rnd.uniform(-900, -10), 2)
              for _ in range(4)]
        s.rows.append([text(a)] + [num(q, "#,##0.00", money) for q in qs] +
                      [num(round(sum(qs), 2), "#,##0.00", money)])
    return s


def sales(rnd):
    s = Sheet("Sales")
    s.header = ["Region", "City", "Date", "Product", "Units", "Price", "Revenue"]
    s.widths = {0: 10, 1: 14, 2: 12, 3: 18, 4: 8, 5: 10, 6: 12}
    cities = {"North": ["Oslo", "Bergen", "Trondheim"], "South": ["Seville", "Malaga", "Valencia"],
              "East": ["Krakow", "Warsaw", "Gdansk"], "West": ["Porto", "Lisbon", "Braga"]}
    products = ["Desk lamp", "Office chair", "Monitor arm", "Keyboard", "Standing desk", "Cable tray"]
    start = datetime.date(2024, 1, 2)
    for i in range(40):
        region = rnd.choice(sorted(cities))
        units = rnd.randint(1, 250)
        price = round(rnd.uniform(9, 620), 2)
        s.rows.append([text(region), text(rnd.choice(cities[region])),
                       day(start + datetime.timedelta(days=i * 3)), text(rnd.choice(products)),
                       num(units, "0", str), num(price, "#,##0.00", money),
                       num(round(units * price, 2), "#,##0.00", money)])
    return s


def bank(rnd):
    s = Sheet("Bank")
    s.header = ["Date", "Description", "Debit", "Credit", "Balance", "Note"]
    s.widths = {0: 11, 1: 30, 2: 10, 3: 10, 4: 10, 5: 8}
    balance = 12000.0
    start = datetime.date(2024, 3, 1)
    notes = ["ok", "check", "refund", "ok", "dup?"]
    what = ["Card payment", "Transfer from savings", "Standing order rent", "Salary", "Grocery store",
            "Online subscription", "Cash withdrawal", "Insurance premium"]
    for i in range(24):
        amount = round(rnd.uniform(5, 2400), 2)
        debit = rnd.random() < 0.6
        balance = round(balance - amount if debit else balance + amount, 2)
        row = [day(start + datetime.timedelta(days=i)), text(rnd.choice(what))]
        row += [num(amount, "0.00", plain2), text("")] if debit else [text(""), num(amount, "0.00", plain2)]
        row += [num(balance, "0.00", plain2), text(rnd.choice(notes) if i % 5 == 2 else "")]
        s.rows.append(row)
    return s


def inventory(rnd):
    s = Sheet("Inventory", "Warehouse stock, March")
    s.header = ["SKU", "Description", "Category", "Status", "Qty", "Unit cost", "Value", "Updated"]
    s.widths = {0: 9, 1: 46, 2: 12, 3: 12, 4: 7, 5: 10, 6: 12, 7: 12}
    s.landscape = True
    s.centred = {3}
    items = ["Stainless steel hex bolt M8 x 40 mm, zinc plated", "Nylon cable tie 300 mm, black, pack of 100",
             "Copper pipe 15 mm x 3 m, half hard", "LED panel 600 x 600, 36 W neutral white",
             "Safety goggles with anti-fog coating", "Extension lead 4 gang 5 m with surge protection",
             "Masking tape 48 mm x 50 m", "Galvanised wall bracket 200 mm", "Silicone sealant clear 310 ml",
             "Work gloves size 9, nitrile coated", "Plywood sheet 2440 x 1220 x 18 mm",
             "Wood screws 5 x 60 mm countersunk, box of 200"]
    statuses = ["In stock", "Low", "Backorder", "Discontinued"]
    for i, item in enumerate(items):
        qty = rnd.randint(0, 900)
        cost = round(rnd.uniform(0.4, 85), 2)
        s.rows.append([text(f"WH-{1040 + i * 7}"), text(item), text(rnd.choice(["Fixings", "Electrical", "Plumbing", "Safety", "Timber"])),
                       text(rnd.choice(statuses)), num(qty, "0", str), num(cost, "#,##0.00", money),
                       num(round(qty * cost, 2), "#,##0.00", money),
                       day(datetime.date(2024, 3, 1) + datetime.timedelta(days=rnd.randint(0, 27)),
                           "DD MMM YYYY", "%d %b %Y")])
    return s


def monthly(rnd):
    s = Sheet("Monthly")
    months = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct"]
    s.header = ["Code"] + months + ["Total"]
    s.widths = {0: 9, 11: 11}
    s.landscape = True
    for i in range(18):
        vs = [rnd.randint(-4000, 98000) for _ in months]
        s.rows.append([text(f"C-{201 + i}")] + [num(v, "#,##0", grouped) for v in vs] +
                      [num(sum(vs), "#,##0", grouped)])
    return s


def tasks(rnd):
    s = Sheet("Tasks")
    s.header = ["ID", "Task", "Owner", "Status", "Due"]
    s.widths = {0: 6, 1: 36, 2: 12, 3: 12, 4: 12}
    s.centred = {3}
    work = ["Draft the annual budget", "Review supplier contracts", "Update the staff handbook",
            "Migrate the file server", "Plan the spring campaign", "Audit travel expenses",
            "Renew software licences", "Prepare the board pack", "Test the backup restore",
            "Close the March accounts", "Hire a warehouse assistant", "Replace the meeting room screen",
            "Write the tender response", "Collect customer feedback"]
    owners = ["Ana", "Bruno", "Chloe", "Dmitri", "Eva"]
    for i, w in enumerate(work):
        s.rows.append([num(101 + i, "0", str), text(w), text(rnd.choice(owners) if i % 4 else ""),
                       text(rnd.choice(["Open", "Done", "Blocked", "In review"])),
                       day(datetime.date(2024, 4, 1) + datetime.timedelta(days=rnd.randint(0, 60)))])
    return s


def journal(rnd):
    s = Sheet("Journal")
    s.header = ["Entry", "Date", "Account", "Reference", "Amount", "Memo"]
    s.widths = {0: 7, 1: 11, 2: 22, 3: 11, 4: 13, 5: 26}
    accounts = ["Accounts receivable", "Accounts payable", "Prepaid expenses", "Accrued liabilities",
                "Inventory", "Cash at bank"]
    memos = ["Year-end adjustment", "Reversal of accrual", "Reclass to prepaid", "Correction"]
    for i in range(80):
        amount = round(rnd.uniform(-50000, 150000), 2)
        s.rows.append([num(5001 + i, "0", str),
                       day(datetime.date(2023, 12, 1) + datetime.timedelta(days=i // 3)),
                       text(rnd.choice(accounts)), text(f"JV-{7000 + i * 3}"),
                       num(amount, "#,##0.00", money), text(rnd.choice(memos) if i % 7 == 3 else "")])
    return s


def budget(rnd):
    s = Sheet("Budget", "Budget against actual, first half")
    s.header = ["Department", "Line item", "Budget", "Actual", "Variance", "Discount", "Comment"]
    s.widths = {0: 14, 1: 24, 2: 12, 3: 12, 4: 12, 5: 10, 6: 20}
    s.right_headings = {2, 3, 4, 5}
    s.font = ("Liberation Serif", 9)
    lines = {"Finance": ["Audit fees", "Bank charges", "Insurance"],
             "Operations": ["Fleet fuel", "Maintenance", "Warehouse rent", "Packaging"],
             "Sales": ["Trade shows", "Commissions", "Samples"],
             "People": ["Training", "Recruitment", "Wellbeing"]}
    comments = ["over plan", "timing", "one-off", "see note 4"]
    for dept, items in lines.items():
        for k, item in enumerate(items):
            budget = round(rnd.uniform(2000, 180000), 2)
            actual = round(budget * rnd.uniform(0.7, 1.3), 2)
            s.rows.append([text(dept if k == 0 else ""), text(item), num(budget, "#,##0.00", money),
                           num(actual, "#,##0.00", money), num(round(actual - budget, 2), "#,##0.00", money),
                           num(round(rnd.uniform(1, 900), 2), "#,##0.00", money) if rnd.random() < 0.3
                           else text(""),
                           text(rnd.choice(comments) if rnd.random() < 0.25 else "")])
    return s


def contacts(rnd):
    s = Sheet("Contacts")
    s.header = ["Name", "Email", "Phone", "City", "Country", "Since"]
    s.widths = {0: 20, 1: 30, 2: 18, 3: 14, 4: 14, 5: 12}
    people = ["Maria Lopez", "John Smith", "Aiko Tanaka", "Lars Nilsen", "Fatima Haddad", "Tom O'Brien",
              "Chen Wei", "Sofia Rossi", "Pierre Martin", "Ana Costa", "Jan Novak", "Emma Brown"]
    places = [("Madrid", "Spain", "+34"), ("Leeds", "United Kingdom", "+44"), ("Osaka", "Japan", "+81"),
              ("Oslo", "Norway", "+47"), ("Lyon", "France", "+33"), ("Porto", "Portugal", "+351")]
    for i, name in enumerate(people):
        city, country, code = rnd.choice(places)
        phone = f"{code} {rnd.randint(20, 99)} {rnd.randint(100, 999)} {rnd.randint(1000, 9999)}"
        email = name.lower().replace(" ", ".").replace("'", "") + "@example.org"
        s.rows.append([text(name), text(email), text(phone), text(city), text(country),
                       day(datetime.date(2015, 1, 1) + datetime.timedelta(days=rnd.randint(0, 3000)))])
    return s


def readings(rnd):
    s = Sheet("Readings")
    s.header = ["Station", "Time", "Temp", "Humidity", "Pressure"]
    s.has_header = False
    s.widths = {0: 10, 1: 8, 2: 8, 3: 10, 4: 10}
    for i in range(20):
        s.rows.append([text(f"ST{10 + i % 4}"), text(f"{6 + i // 4:02d}:{(i % 4) * 15:02d}"),
                       num(round(rnd.uniform(-8, 14), 1), "0.0", lambda v: f"{v:.1f}"),
                       num(rnd.randint(35, 99), "0", str),
                       num(round(rnd.uniform(985, 1035), 1), "#,##0.0", lambda v: f"{v:,.1f}")])
    return s


SHEETS = [ledger, sales, bank, inventory, monthly, tasks, journal, budget, contacts, readings]


# ---- reading the outputs back ----------------------------------------------------------------

NUMBER = re.compile(r"^[+-]?(\d{1,3}(,\d{3})+|\d+)?(\.\d+)?$")


def as_number(t):
    t = t.strip().replace("\u2212", "-")
    if not t or not NUMBER.match(t) or not any(ch.isdigit() for ch in t):
        return None
    return float(t.replace(",", ""))


def shown(value):
    if value is None:
        return ""
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return str(value)


def trimmed(row):
    row = list(row)
    while row and row[-1] == "":
        row.pop()
    return row


def same(a, b):
    if a == b:
        return True
    x, y = as_number(a), as_number(b)
    return x is not None and y is not None and abs(x - y) < 1e-6


def unguarded(field):
    """A CSV text that a spreadsheet would run as a formula is written after an apostrophe."""
    return field[1:] if len(field) > 1 and field[0] == "'" and field[1] in "=+-@" else field


def read_output(path):
    """Rows of every sheet (or every CSV file of a folder), as shown texts."""
    rows = []
    if os.path.isdir(path):
        for name in sorted(os.listdir(path)):
            with open(os.path.join(path, name), encoding="utf-8-sig", newline="") as f:
                rows += [trimmed(unguarded(v) for v in r) for r in csv.reader(f)]
        return rows
    book = openpyxl.load_workbook(path, read_only=True, data_only=True)
    for ws in book.worksheets:
        rows += [trimmed(shown(v) for v in r) for r in ws.iter_rows(values_only=True)]
    return rows


def score(truth, rows):
    """Share of the truth's rows found exactly, and the output's widest table row."""
    found = 0
    for want in truth:
        want = trimmed(want)
        found += any(len(r) == len(want) and all(same(a, b) for a, b in zip(r, want)) for r in rows)
    columns = max((len(r) for r in rows), default=0)
    return found / len(truth), columns


# ---- running -----------------------------------------------------------------------------------

def run(cmd, env=None, timeout=600):
    return subprocess.run(cmd, env=env, capture_output=True, text=True, timeout=timeout)


def to_pdf(files, folder, profile):
    r = run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--norestore",
             "--convert-to", "pdf", "--outdir", folder] + files)
    if r.returncode != 0:
        sys.exit("LibreOffice cannot print the sheets: " + r.stderr)


def convert(build, mode, pdf, out):
    """Seconds the library took, or None when the conversion failed."""
    if os.path.isdir(out):
        shutil.rmtree(out)
    elif os.path.exists(out):
        os.remove(out)
    r = run([build["program"], mode, pdf, out], env=build["env"])
    if r.returncode != 0:
        print(f"  {build['name']} {mode} {os.path.basename(pdf)} failed: {r.returncode} {r.stderr.strip()}")
        return None
    return float(r.stdout.strip())


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    p = argparse.ArgumentParser()
    p.add_argument("--build", default=os.path.join(root, "build/main/bundle/MacOS"))
    p.add_argument("--before")
    p.add_argument("--runs", type=int, default=3)
    p.add_argument("work", nargs="?")
    args = p.parse_args()
    work = os.path.abspath(args.work or tempfile.mkdtemp(prefix="sheet-fidelity-"))
    os.makedirs(os.path.join(work, "src"), exist_ok=True)
    print(f"sheets, their PDFs and the outputs in {work}")

    rnd = random.Random(28)
    sheets = [make(rnd) for make in SHEETS]
    sources = []
    for s in sheets:
        for grid in (False, True):
            path = os.path.join(work, "src", f"{s.name.lower()}-{'grid' if grid else 'plain'}.xlsx")
            s.write(path, grid)
            sources.append((s, grid, path))
    to_pdf([p for _, _, p in sources], os.path.join(work, "src"), os.path.join(work, "profile"))

    program = os.path.join(os.path.abspath(args.build), "bench_sheet_convert")
    builds = []
    if args.before:
        env = dict(os.environ, LD_LIBRARY_PATH=os.path.join(os.path.abspath(args.before), "../Frameworks"))
        builds.append({"name": "before", "program": program, "env": env})
    builds.append({"name": "after", "program": program, "env": None})

    pair = len(builds) > 1
    print(f"{'sheet':<16} {'mode':<12} {'rows exact' + (' before/after' if pair else ''):<24} "
          f"{'columns' + (' before/after' if pair else '') + ' (truth)':<28} time{' before/after' if pair else ''}")
    totals = {b["name"]: 0.0 for b in builds}
    worst = {b["name"]: 1.0 for b in builds}
    for s, grid, path in sources:
        stem = os.path.splitext(os.path.basename(path))[0]
        pdf = os.path.join(work, "src", stem + ".pdf")
        truth = s.truth()
        for mode in MODES:
            cells = []
            for b in builds:
                out = os.path.join(work, b["name"], f"{stem}-{mode}" + (".xlsx" if mode != "csv" else ""))
                os.makedirs(os.path.dirname(out), exist_ok=True)
                times = [convert(b, mode, pdf, out) for _ in range(args.runs)]
                if None in times:
                    cells.append((0.0, 0, float("nan")))
                    continue
                share, columns = score(truth, read_output(out))
                t = statistics.median(times)
                totals[b["name"]] += t
                worst[b["name"]] = min(worst[b["name"]], share)
                cells.append((share, columns, t))
            print(f"{stem:<16} {mode:<12} {' / '.join(f'{c[0]:.2f}' for c in cells):<24} "
                  f"{' / '.join(str(c[1]) for c in cells) + f' ({len(s.header)})':<28} "
                  f"{' / '.join(f'{c[2]:.3f}' for c in cells)}")
            sys.stdout.flush()
    summary = ", ".join(f"{n}: worst sheet {worst[n]:.2f}, time {totals[n]:.2f} s" for n in totals)
    print(summary + (f"; time ratio after/before {totals['after'] / totals['before']:.2f}" if pair else ""))


if __name__ == "__main__":
    main()

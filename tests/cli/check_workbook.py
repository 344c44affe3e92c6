"""Reads a workbook written by tintavis-calc --xlsx with openpyxl, an independent reader, and
checks what a spreadsheet would show: the sheets, the cell types, the full-precision values,
their number formats, the empty cells of white wines and the fills of the names.

Usage: check_workbook.py TINTAVIS-CALC
Exits 77 (skipped) when openpyxl is not installed."""
import os
import subprocess
import sys
import tempfile

try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed: skipped")
    sys.exit(77)

calc = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


lines = [
    "Rosado, 2023 Añada\tred\t2\t10\t0.5\t0.8\t0.6\t0.2",
    "Verdejo\twhite\t10\t10\t0.10\t0.04\t0.02\t0.01",
    "bad line",
]
with tempfile.TemporaryDirectory() as folder:
    source = os.path.join(folder, "in.tsv")
    with open(source, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    out = os.path.join(folder, "out.xlsx")
    run = subprocess.run([calc, "--xlsx", out, source], capture_output=True)
    check(run.returncode == 1, "exit status %d, not 1 for the bad line" % run.returncode)
    check(run.stdout.startswith(b"   Muestra\t"), "the data file still goes to standard output")

    book = openpyxl.load_workbook(out)
    check(book.sheetnames == ["Muestras", "Método"], "sheets %s" % book.sheetnames)
    samples = book["Muestras"]
    headings = [c.value for c in samples[1]]
    check(headings[:3] == ["Muestra", "X", "Y"] and headings[11] == "Tipo de vino", "headings %s" % headings)
    check(samples.max_row == 3, "%d rows, not the headings and 2 samples" % samples.max_row)

    red = samples[2]
    check(red[0].value == "Rosado, 2023 Añada" and red[0].data_type == "s", "name %r" % red[0].value)
    check(red[1].data_type == "n" and abs(red[1].value - 3.2128143) < 1e-6, "X %r" % red[1].value)
    check(red[1].value != round(red[1].value, 3), "X is kept at full precision")
    formats = [c.number_format for c in red[1:11]]
    check(formats == ["0.000"] * 3 + ["0.0"] + ["0.00"] * 4 + ["0.000"] * 2, "formats %s" % formats)
    check(red[0].fill.fill_type == "solid", "the name is filled")
    check(red[0].fill.fgColor.rgb[-6:] != "000000", "the fill is the sample's colour")
    check(red[0].font.color.rgb[-6:] == "FFFFFF", "white text on the dark red")
    inputs = [c.value for c in red[11:18]]
    check(inputs == ["Tinto, Rosado", 2, 10, 0.5, 0.8, 0.6, 0.2], "inputs %s" % inputs)
    check(red[18].is_date, "the time is a date cell")
    check(red[19].value is False, "edited by hand is a boolean")

    white = samples[3]
    check(white[9].value is None and white[10].value is None, "Intensity and Tonality of a white wine are empty")
    check(white[0].font.color.rgb[-6:] == "000000", "black text on the pale white wine")

    method = {row[0]: row[1] for row in book["Método"].iter_rows(values_only=True)}
    check(method.get("Iluminante") == "D65" and method.get("Observador") == "10°", "method %s" % method)
    check(method.get("Espesor de resultado") == "10 mm", "result path %s" % method.get("Espesor de resultado"))
    check(str(method.get("Programa", "")).startswith("TINTAVIS "), "program %s" % method.get("Programa"))

    # With a reference and a tolerance, the differences with the verdicts of the output lines.
    run = subprocess.run([calc, "--xlsx", out, "--reference", "Verdejo", "--uncertainty", "0.005",
                          "--tolerance", "2", source], capture_output=True)
    book = openpyxl.load_workbook(out)
    check(book.sheetnames == ["Muestras", "Método", "Diferencias de color"], "sheets %s" % book.sheetnames)
    rows = list(book["Diferencias de color"].iter_rows(values_only=True))
    check(rows[0][:2] == ("Referencia", "Verdejo"), "reference %s" % (rows[0],))
    verdicts = [line.split(b"\t")[-1].decode().strip() for line in run.stdout.splitlines()[1:]]
    check([r[-1] for r in rows[2:4]] == verdicts, "verdicts %s against the output's %s" % (rows[2:4], verdicts))
    check(rows[3][9] == 0, "the reference's U(ΔE00) is %r, not 0" % (rows[3][9],))

    # Never over the input.
    run = subprocess.run([calc, "--xlsx", source, source], capture_output=True)
    check(run.returncode == 2, "--xlsx over the input is refused")
    with open(source, encoding="utf-8") as f:
        check(f.read().startswith("Rosado, 2023"), "the input is left as it was")

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)

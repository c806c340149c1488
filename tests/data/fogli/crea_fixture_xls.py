#!/usr/bin/python3
# Makes operazioni.xls, the Excel 97-2003 fixture of the sheet reader tests.
# Run once with Debian's python3-xlwt (apt-get install python3-xlwt); the
# .xls it writes is committed, so the tests need neither Python nor xlwt.
import datetime
import re
import struct
import xlwt

libro = xlwt.Workbook(encoding="utf-8")
foglio = libro.add_sheet("Operazioni")
altro = libro.add_sheet("Altro")

data = xlwt.easyxf(num_format_str="dd/mm/yyyy")
data_ora = xlwt.easyxf(num_format_str="dd/mm/yyyy hh:mm:ss")
importo = xlwt.easyxf(num_format_str="#,##0.00")

# Rows 1 and 2 are headings.
foglio.write(0, 0, "COGNOME")
foglio.write(0, 1, "NOME")
foglio.write(1, 0, "intestazione")

# Row 3: one value of each kind.
foglio.write(2, 0, "ROSSÈ")
foglio.write(2, 1, "MARIO ")
foglio.write(2, 2, "M")
foglio.write(2, 4, datetime.date(1980, 5, 12), data)
foglio.write(2, 11, datetime.datetime(2026, 3, 1, 14, 30, 5), data_ora)
foglio.write(2, 18, 1500.75, importo)
foglio.write(2, 19, 3)
foglio.write(2, 20, 12345678901234567.0)
foglio.write(2, 21, True)
foglio.write(2, 22, "oltre la colonna 22")
# Formulas: xlwt stores no result, so the results that Excel would have
# cached are patched in below.
foglio.write(2, 7, xlwt.Formula("1+2"))
foglio.write(2, 9, xlwt.Formula("1>2"))
foglio.write(2, 12, xlwt.Formula("29352+1"), data)

# Row 4: surname blank, first name filled: still data.
foglio.write(3, 0, "   ")
foglio.write(3, 1, "ANNA")
foglio.write(3, 18, 0.1)

# Row 5 is blank in columns 1 and 2: the data end there.
foglio.write(4, 2, "F")
# Row 6 must never be read.
foglio.write(5, 0, "DOPO")
foglio.write(5, 1, "LA FINE")

altro.write(2, 0, "ALTRO FOGLIO")
altro.write(2, 1, "NON LETTO")

libro.save("operazioni.xls")


def risultato(nome, riga, colonna, byte8):
    # A FORMULA record: id 0x0006, length, row, column, XF, 8 result bytes.
    with open(nome, "rb") as f:
        dati = bytearray(f.read())
    schema = re.compile(b"\x06\x00..%s..\x03\x00\x00\x00\x00\x00\xff\xff" % struct.pack("<HH", riga, colonna), re.S)
    trovati = list(schema.finditer(dati))
    assert len(trovati) == 1, (riga, colonna, len(trovati))
    inizio = trovati[0].start() + 10
    dati[inizio:inizio + 8] = byte8
    with open(nome, "wb") as f:
        f.write(dati)


risultato("operazioni.xls", 2, 7, struct.pack("<d", 3001.5))
risultato("operazioni.xls", 2, 9, bytes([1, 0, 0, 0, 0, 0, 0xFF, 0xFF]))   # boolean FALSE
risultato("operazioni.xls", 2, 12, struct.pack("<d", 29353.0))

# errore.xls: an error value (#N/A) in the second data row.
libro = xlwt.Workbook(encoding="utf-8")
foglio = libro.add_sheet("Operazioni")
foglio.write(2, 0, "ROSSI")
foglio.write(2, 1, "MARIO")
foglio.write(3, 0, "VERDI")
foglio.write(3, 1, "LUCA")
foglio.row(3).set_cell_error(2, 0x2A)
foglio.write(4, 0, "NERI")
foglio.write(4, 1, "ADA")
libro.save("errore.xls")

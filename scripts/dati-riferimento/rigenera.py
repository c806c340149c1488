#!/usr/bin/env python3
"""Regenerates the reference data that ZEFIRANTE ships, from public sources.

Sources (see data/riferimento/LICENZE.md for their licences):
  - Debian package iso-codes: /usr/share/iso-codes/json/iso_3166-1.json and
    iso_4217.json, Italian names from /usr/share/locale/it/LC_MESSAGES/*.mo
    (apt-get install iso-codes).
  - npm package codice-fiscale-js 2.4.0, file src/lista-comuni.js: every
    cadastral code with its province ("EE" abroad), name and a flag 1 = current.
  - npm package @marketto/belfiore-connector-embedded 1.2.1, file
    asset/cities-countries.ts: which foreign states exist today and their
    present names (used for the Z codes only).
  Fetch the two npm tarballs with `npm pack codice-fiscale-js@2.4.0
  @marketto/belfiore-connector-embedded@1.2.1` and check their sha256 against
  the values in LICENZE.md.

Usage: rigenera.py CODICE_FISCALE_JS.tgz BELFIORE_CONNECTOR.tgz [DATA_DIR]
Writes DATA_DIR/riferimento/{comuni,comunicf,comunicf_cessati,paesi}.csv (UTF-8,
header line) and DATA_DIR/dotazione/DIVISE.CSV (Windows-1252, no header, CR LF).
"""
import difflib
import gettext
import json
import os
import re
import sys
import tarfile
import unicodedata

ISO = "/usr/share/iso-codes/json"
MO = "/usr/share/locale/it/LC_MESSAGES"


def leggi_dal_tgz(percorso, nome):
    with tarfile.open(percorso) as tgz:
        return tgz.extractfile(nome).read().decode("utf-8")


def righe_codice_fiscale(js):
    """(code, province, name, current) for every row of lista-comuni.js."""
    modello = re.compile(r"""\[\s*'([A-Z0-9]{4})',\s*'([A-Z]{2})',\s*(?:'([^']*)'|"([^"]*)"),\s*([01])\s*\]""")
    return [(c, p, n1 or n2, f == "1") for c, p, n1, n2, f in modello.findall(js)]


def stati_attuali(ts):
    """{Z code: present name} from the packed table of the belfiore connector.
    Its second data block lists what exists today; codes are 3 base-32 digits
    (letter index * 1000 + number), names are separated by "|"."""
    dati = json.loads(ts[ts.index("{"): ts.rindex("}") + 1])["data"]
    attuali = next(b for b in dati if "expirationDate" not in b)
    codici = attuali["belfioreCode"]
    nomi = attuali["name"].split("|")
    risultato = {}
    for i, nome in enumerate(nomi):
        n = int(codici[3 * i: 3 * i + 3], 32)
        codice = chr(65 + n // 1000) + "%03d" % (n % 1000)
        if codice.startswith("Z"):
            risultato[codice] = nome
    return risultato


def maiuscolo_catastale(nome):
    """Upper case ASCII the tax office's way: a final accented vowel gets an apostrophe."""
    uscita = ""
    for ch in nome.upper():
        base = unicodedata.normalize("NFD", ch)[0]
        uscita += base + ("'" if ch in "ÀÈÉÌÒÙ" else "")
    return uscita


def nome_stato(codice, righe, attuali):
    correnti = [n for c, p, n, attuale in righe if c == codice and attuale]
    if not correnti:
        return maiuscolo_catastale(attuali[codice])
    correnti = [n for n in correnti if "=" not in n] or correnti  # "A=B" rows are aliases
    if len(correnti) == 1 or codice not in attuali:
        return correnti[0]
    bersaglio = maiuscolo_catastale(attuali[codice])
    return max(correnti, key=lambda n: difflib.SequenceMatcher(None, n, bersaglio).ratio())


def ordinate(righe):
    return sorted(set(righe), key=lambda r: r.split(";"))


def scrivi_csv(percorso, intestazione, righe):
    with open(percorso, "w", encoding="utf-8", newline="\n") as f:
        f.write(intestazione + "\n" + "".join(r + "\n" for r in righe))


def comuni(cf_tgz, belfiore_tgz, cartella):
    righe = righe_codice_fiscale(leggi_dal_tgz(cf_tgz, "package/src/lista-comuni.js"))
    attuali = stati_attuali(leggi_dal_tgz(belfiore_tgz, "package/asset/cities-countries.ts"))
    italia = [(c, p, n, a) for c, p, n, a in righe if p != "EE"]
    esteri = [(c, p, n, a) for c, p, n, a in righe if p == "EE"]
    codici_stati = {c for c, p, n, a in esteri if a} | set(attuali)
    stati = {c: nome_stato(c, esteri, attuali) for c in codici_stati}
    correnti = [(c, p, n) for c, p, n, a in italia if a]
    scrivi_csv(os.path.join(cartella, "comuni.csv"), "COMUNE;PRO;CAB", ordinate(f"{n};{p};" for c, p, n in correnti))
    scrivi_csv(os.path.join(cartella, "comunicf.csv"), "DESCRIZION;CD_PROV;KEY_TAB",
               ordinate(f"{n};{p};{c}" for c, p, n in correnti) + ordinate(f"{n};EE;{c}" for c, n in stati.items()))
    in_uso = {c for c, p, n in correnti} | codici_stati
    cessati = [f"{n};{p};{c}" for c, p, n, a in italia + esteri if not a and c not in in_uso]
    scrivi_csv(os.path.join(cartella, "comunicf_cessati.csv"), "DESCRIZION;CD_PROV;KEY_TAB", ordinate(cessati))


def traduttore(dominio):
    with open(os.path.join(MO, dominio + ".mo"), "rb") as f:
        return gettext.GNUTranslations(f)


def paesi(cartella):
    it = traduttore("iso_3166-1")
    voci = json.load(open(os.path.join(ISO, "iso_3166-1.json"), encoding="utf-8"))["3166-1"]
    righe = []
    for v in voci:
        nome = it.gettext(v["name"])
        righe.append(f"{v['alpha_3']};{'Turchia' if nome == 'Türkiye' else nome}")
    scrivi_csv(os.path.join(cartella, "paesi.csv"), "ALPHA3;NOME", sorted(righe))


def divise(cartella_dotazione):
    it = traduttore("iso_4217")
    voci = json.load(open(os.path.join(ISO, "iso_4217.json"), encoding="utf-8"))["4217"]
    righe = sorted(f"{v['alpha_3']};{v['numeric']};{it.gettext(v['name'])}" for v in voci)
    byte = bytearray()
    for riga in righe:
        for ch in riga:  # the program's currency file is one byte per character
            try:
                byte += ch.encode("cp1252")
            except UnicodeEncodeError:
                base = unicodedata.normalize("NFKD", ch).encode("ascii", "ignore")
                byte += base or b"?"
        byte += b"\r\n"
    with open(os.path.join(cartella_dotazione, "DIVISE.CSV"), "wb") as f:
        f.write(bytes(byte))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    dati = sys.argv[3] if len(sys.argv) > 3 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
    comuni(sys.argv[1], sys.argv[2], os.path.join(dati, "riferimento"))
    paesi(os.path.join(dati, "riferimento"))
    divise(os.path.join(dati, "dotazione"))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Independent second calculation of the per-sample grain-size statistics table.

Reads Granomet results files and writes, for every sample, the copied
percentages and moments, the Folk & Ward graphic measures, the percentile
diameters, the mode, the sand and silt sub-fractions, the Folk (1954) textural
group, the warnings, the sediment's full name and its modes. It shares no code
with the program: it exists to check the program's statistics table.

usage: reference_statistics.py [--mark ,|.] OUT_TABLE RESULTS [RESULTS ...]
"""
import argparse
import math
import os
import re
import sys
from bisect import bisect_right
from decimal import Decimal, ROUND_HALF_UP
from itertools import accumulate


class Unreadable(Exception):
    """A results file that cannot be read, with the line to blame."""

    def __init__(self, line, message):
        super().__init__(message)
        self.line = line


CLASSES = 68
FIRST_CLASS_FIELD = 30                     # 0-based index of the 8000 um class
PERCENTS = (5, 10, 16, 25, 50, 75, 84, 90, 95)
LIMITS = (1000, 500, 250, 125, 63, 31, 16, 8, 4)
NUMBER = re.compile(r'[+-]?(\d+([.,]\d*)?|[.,]\d+)([eE][+-]?\d+)?')
LINE_BREAK = re.compile(r'\r\n|\r|\n')


def lit(text):
    """A literal of ours in the output code page, as latin-1-backed text, so
    that it joins the file's own bytes (held as latin-1) unchanged."""
    return text.encode('cp1252', errors='replace').decode('latin-1')


# ---------------------------------------------------------------- reading

FIELD = re.compile(r'"((?:[^"]|"")*)"|([^",\r\n]*)')


def read_records(text):
    """RFC-4180 records of the file as (line of the record's start, fields).
    A quoted field may hold separators, doubled quotes and line breaks."""
    records, i, line = [], 0, 1
    while i < len(text):
        start, fields = line, []
        while True:
            m = FIELD.match(text, i)
            quoted, i = m.group(1), m.end()
            fields.append(m.group(2) if quoted is None else quoted.replace('""', '"'))
            line += len(LINE_BREAK.findall(quoted or ''))
            if text.startswith(',', i):
                i += 1
            elif i >= len(text) or text[i] in '\r\n':
                break
            else:
                raise Unreadable(line, 'misplaced quote in field %d' % len(fields))
        if i < len(text):
            i += 2 if text.startswith('\r\n', i) else 1
            line += 1
        records.append((start, fields))
    while records and len(records[-1][1]) == 1 and not records[-1][1][0].strip(' \t'):
        records.pop()                      # a blank last line is not a sample
    return records


def number(text, line, field):
    """(digits as written, value) of a bare or quoted number with either mark."""
    digits = text.strip(' \t')
    value = float(digits.replace(',', '.')) if NUMBER.fullmatch(digits) else math.nan
    if not math.isfinite(value):
        raise Unreadable(line, 'field %d is not a usable number: %r' % (field, text))
    return digits, value


def read_results(path):
    """The header's diameters and the file's samples, or Unreadable."""
    with open(path, 'rb') as f:
        text = f.read().decode('latin-1')  # every byte round-trips to the table
    records = read_records(text)
    if not records:
        raise Unreadable(1, 'empty file, no header line')
    line, header = records[0]
    if len(header) != FIRST_CLASS_FIELD + CLASSES:
        raise Unreadable(line, 'header has %d fields, not 98' % len(header))
    diameters = [number(t, line, FIRST_CLASS_FIELD + 1 + j)
                 for j, t in enumerate(header[FIRST_CLASS_FIELD:])]
    if any(d <= 0 for _, d in diameters):
        raise Unreadable(line, 'a class diameter is not positive')
    samples = []
    for line, f in records[1:]:
        if len(f) != FIRST_CLASS_FIELD + CLASSES:
            raise Unreadable(line, 'sample line has %d fields, not 98' % len(f))
        nums = {k: number(f[k - 1], line, k) for k in range(14, 27)}
        weights = [number(t, line, FIRST_CLASS_FIELD + 1 + j)
                   for j, t in enumerate(f[FIRST_CLASS_FIELD:])]
        samples.append(dict(lot=f[0], name=f[1], shepard=f[11], nums=nums,
                            weights=weights))
    return diameters, samples


# -------------------------------------------------------------- formatting

def with_mark(digits, mark):
    return re.sub('[.,]', mark, digits)


def fixed(v, decimals, mark):
    s = '%.*f' % (decimals, v)
    if s.startswith('-') and not s.strip('-0.'):
        s = s[1:]                          # a value that prints as zero has no sign
    return s.replace('.', mark)


def computed(v, mark, min_decimals=0):
    """Six significant digits, fixed notation, at least min_decimals; empty
    when the value could not be computed."""
    if v is None or not math.isfinite(v):
        return ''
    if v == 0:
        return fixed(0.0, min_decimals, mark)
    # the exponent of the value once rounded to six digits: 0.000999999999 is
    # 0.00100000, not 0.000999999
    exponent = int(('%.5e' % abs(v)).split('e')[1])
    return fixed(v, max(min_decimals, 5 - exponent), mark)


def safe(f, *args):
    """f(*args), or None when an input is missing or the result is not finite."""
    if any(a is None for a in args):
        return None
    try:
        v = f(*args)
    except (ZeroDivisionError, OverflowError, ValueError):
        return None
    return v if math.isfinite(v) else None


def to_um(phi):
    return 1000 * 2.0 ** -phi


# -------------------------------------------------------------- statistics

def percentiles(phi, cum, total, has_negative):
    """phi_x for x % coarser; a value not reachable is left out."""
    if total <= 0 or has_negative:
        return {}
    p = [100 * c / total for c in cum]
    out = {}
    for x in PERCENTS:
        j = next((j for j in range(CLASSES) if p[j] >= x), None)
        if j == 0:                         # the coarsest class has no upper bound
            if p[0] == x:
                out[x] = phi[0]
        elif j is not None:
            out[x] = phi[j - 1] + (x - p[j - 1]) * (phi[j] - phi[j - 1]) / (p[j] - p[j - 1])
    return out


def folk_ward(q):
    """Graphic mean, sorting, skewness and kurtosis in phi."""
    g = q.get
    mean = safe(lambda a, b, c: (a + b + c) / 3, g(16), g(50), g(84))
    sorting = safe(lambda p5, p16, p84, p95: (p84 - p16) / 4 + (p95 - p5) / 6.6,
                   g(5), g(16), g(84), g(95))
    skewness = safe(lambda p5, p16, p50, p84, p95:
                    (p16 + p84 - 2 * p50) / (2 * (p84 - p16)) +
                    (p5 + p95 - 2 * p50) / (2 * (p95 - p5)),
                    g(5), g(16), g(50), g(84), g(95))
    kurtosis = safe(lambda p5, p25, p75, p95: (p95 - p5) / (2.44 * (p75 - p25)),
                    g(5), g(25), g(75), g(95))
    return mean, sorting, skewness, kurtosis


def in_um(mean, sorting, skewness, kurtosis):
    """Phi measures restated in micrometres (a larger phi is a finer grain)."""
    return (safe(to_um, mean), safe(lambda s: 2.0 ** s, sorting),
            safe(lambda s: -s, skewness), kurtosis)


def coarser_at(diameter, d, phi, p):
    """Normalised percentage coarser than `diameter` um, linear in phi between
    the class bounds; None above the coarsest bound or below the finest."""
    j = next((j for j in range(CLASSES) if d[j] <= diameter), None)
    if j is None or (j == 0 and d[0] != diameter):
        return None
    if d[j] == diameter:
        return p[j]
    x = -math.log2(diameter / 1000)
    return safe(lambda: p[j - 1] + (x - phi[j - 1]) * (p[j] - p[j - 1]) / (phi[j] - phi[j - 1]))


def fractions_of(d, phi, p):
    """Very coarse sand to fine silt and then clay, from the normalised curve p
    (None: no weight): the sand starts where the four gravel classes end, and a
    limit coarser than that counts from there. Also the first limit that no class
    bound reaches down to."""
    end = d[3]
    bare = next((limit for limit in LIMITS if not d[-1] <= min(limit, end)), None)
    shares, above = [], (p[3] if p else None)
    for limit in LIMITS:
        here = coarser_at(min(limit, end), d, phi, p) if p else None
        counted = bare is None or limit > bare
        shares.append(safe(lambda a, b: a - b, here, above) if counted else None)
        above = here
    clay = safe(lambda a: 100 - a, above) if bare is None else None
    return shares, clay, bare


def modes_of(d, phi, w):
    """(number of peaks, their diameters highest first) of the weight per unit
    phi, class 1 left out for want of an upper bound; None without a peak."""
    dens = [None] + [w[j] / (phi[j] - phi[j - 1]) for j in range(1, CLASSES)]
    if any(not math.isfinite(x) for x in dens[1:]):
        return None
    runs, j = [], 1
    while j < CLASSES:                     # runs of equal density: one plateau each
        k = j
        while k + 1 < CLASSES and abs(dens[k + 1] - dens[j]) <= 1e-9 * max(abs(dens[k + 1]),
                                                                             abs(dens[j])):
            k += 1
        runs.append((j, k, dens[j]))
        j = k + 1
    peaks = [(a, b, h) for i, (a, b, h) in enumerate(runs)
             if h > 0 and (i == 0 or runs[i - 1][2] < h) and
             (i + 1 == len(runs) or runs[i + 1][2] < h)]
    if not peaks:
        return None
    top = max(h for _, _, h in peaks)

    def key_col(a, b, h):
        """The higher of the lowest points passed on the way to a higher peak on
        either side (coarser equal peaks count as higher); None: none higher."""
        cols = []
        left = [dens[i] for i in range(1, a)][::-1]
        stop = next((n for n, x in enumerate(left) if x >= h), None)
        if stop is not None:
            cols.append(min([h] + left[:stop]))
        right = [dens[i] for i in range(b + 1, CLASSES)]
        stop = next((n for n, x in enumerate(right) if x > h), None)
        if stop is not None:
            cols.append(min([h] + right[:stop]))
        return max(cols) if cols else None

    kept = []
    for a, b, h in peaks:
        col = key_col(a, b, h)
        if h >= 0.1 * top and (col is None or h - col >= 0.2 * h):
            kept.append((a, b, h))
    kept.sort(key=lambda peak: -peak[2])  # stable: equal peaks stay coarser first
    return len(kept), [safe(lambda: math.sqrt(d[a - 1] * d[b])) for a, b, _ in kept[:3]]


def hundredths(digits):
    """A percentage as whole hundredths, rounded from its decimal text."""
    exact = Decimal(digits.replace(',', '.'))
    return int(exact.scaleb(2).quantize(Decimal(1), rounding=ROUND_HALF_UP))


FOLK_NAMES = {
    'G': 'Grava', 'sG': 'Grava arenosa', 'msG': 'Grava arenosa fangosa',
    'mG': 'Grava fangosa', 'gS': 'Arena gravosa', 'gmS': 'Arena fangosa gravosa',
    'gM': 'Fango gravoso', '(g)S': 'Arena ligeramente gravosa',
    '(g)mS': 'Arena fangosa ligeramente gravosa',
    '(g)sM': 'Fango arenoso ligeramente gravoso', '(g)M': 'Fango ligeramente gravoso',
    'S': 'Arena', 'zS': 'Arena limosa', 'mS': 'Arena fangosa', 'cS': 'Arena arcillosa',
    'sZ': 'Limo arenoso', 'sM': 'Fango arenoso', 'sC': 'Arcilla arenosa',
    'Z': 'Limo', 'M': 'Fango', 'C': 'Arcilla'}


# Folk's names: the noun (and its gender) and the modifiers that agree with it.
NOUNS = {'G': 'Grava', 'S': 'Arena', 'M': 'Fango', 'Z': 'Limo', 'C': 'Arcilla'}
FEMININE = {'Grava', 'Arena', 'Arcilla'}
# The mean-size terms (indices into TERMS[0]) that grade each noun.
GRADES = {'Grava': range(2, 7), 'Arena': range(7, 12), 'Limo': range(12, 16)}
SORTED = ('muy bien', 'bien', 'moderadamente bien', 'moderadamente', 'mal', 'muy mal',
          'extremadamente mal')


def sediment_name(code, mean, sorting):
    """Folk's name with the mean's grade where it grades the noun, then the sorting."""
    name = FOLK_NAMES[code]
    noun = NOUNS[code[-1]]
    if mean is not None:
        size = bisect_right(TERMS[0][0], mean)
        if size in GRADES.get(noun, ()):
            name = TERMS[0][1][size] + name[len(noun):]
    if sorting is not None:
        name += ', %s clasificad%s' % (SORTED[bisect_right(TERMS[1][0], sorting)],
                                       'a' if noun in FEMININE else 'o')
    return name


def folk_code(g, s, z, c):
    """Folk (1954) group of whole-hundredth percentages; a boundary belongs to
    the coarser group."""
    m = z + c
    if g >= 8000:
        return 'G'
    if g >= 3000:
        return 'sG' if s >= 9 * m else 'msG' if s >= m else 'mG'
    if g >= 500:
        return 'gS' if s >= 9 * m else 'gmS' if s >= m else 'gM'
    if g >= 1:
        return ('(g)S' if s >= 9 * m else '(g)mS' if s >= m else
                '(g)sM' if 9 * s >= m else '(g)M')
    if s >= 9000:
        return 'S'
    ratio = 0 if z >= 2 * c else 1 if 2 * z >= c else 2
    if s >= 5000:
        return ('zS', 'mS', 'cS')[ratio]
    if s >= 1000:
        return ('sZ', 'sM', 'sC')[ratio]
    return ('Z', 'M', 'C')[ratio]


def term(value, bounds, names):
    """Name of the interval holding value; each interval closed at its lower end."""
    return '' if value is None else names[bisect_right(bounds, value)]


# (lower bounds, names) of the verbal terms for mean, sorting, skewness, kurtosis
TERMS = (
    ((-8, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8),
     ('Bloques', 'Cantos', 'Grava muy gruesa', 'Grava gruesa', 'Grava media', 'Grava fina',
      'Grava muy fina', 'Arena muy gruesa', 'Arena gruesa', 'Arena media', 'Arena fina',
      'Arena muy fina', 'Limo muy grueso', 'Limo grueso', 'Limo medio', 'Limo fino',
      'Arcilla')),
    ((0.35, 0.50, 0.70, 1.00, 2, 4),
     ('Muy bien clasificado', 'Bien clasificado', 'Moderadamente bien clasificado',
      'Moderadamente clasificado', 'Mal clasificado', 'Muy mal clasificado',
      'Extremadamente mal clasificado')),
    ((-0.3, -0.1, 0.1, 0.3),
     ('Muy asimétrica hacia gruesos', 'Asimétrica hacia gruesos', 'Simétrica',
      'Asimétrica hacia finos', 'Muy asimétrica hacia finos')),
    ((0.67, 0.90, 1.11, 1.50, 3.00),
     ('Muy platicúrtica', 'Platicúrtica', 'Mesocúrtica', 'Leptocúrtica',
      'Muy leptocúrtica', 'Extremadamente leptocúrtica')))


# ------------------------------------------------------------------- table

HEADER = [
    'Fichero de resultados', 'Lot-Num', 'Muestra', '%Grava', '%Arena', '%Limo',
    '%Arcilla', '%Bioclastos', 'Clasif. Shepard(1954)', 'µ-Media', 'µ-Clasificación',
    'µ-Asimetría', 'µ-Kurtosis', 'Ø-Media', 'Ø-Clasificación', 'Ø-Asimetría',
    'Ø-Kurtosis', 'Geom-Media(µm)', 'Geom-Clasificación', 'Geom-Asimetría',
    'Geom-Kurtosis', 'FW-Media(Ø)', 'FW-Clasificación(Ø)', 'FW-Asimetría(Ø)',
    'FW-Kurtosis(Ø)', 'FW-Media(µm)', 'FW-Clasificación(µm)', 'FW-Asimetría(µm)',
    'FW-Kurtosis(µm)', 'Tamaño medio', 'Clasificación', 'Asimetría', 'Curtosis',
    'Moda(µm)', 'D10(µm)', 'D50(µm)', 'D90(µm)', 'D90/D10', 'D90-D10(µm)', 'D75/D25',
    'D75-D25(µm)', '%Arena muy gruesa', '%Arena gruesa', '%Arena media', '%Arena fina',
    '%Arena muy fina', '%Limo muy grueso', '%Limo grueso', '%Limo medio', '%Limo fino',
    'Código Folk', 'Grupo textural (Folk 1954)', 'Avisos', 'Nombre del sedimento',
    'Modalidad', 'Moda 1 (µm)', 'Moda 2 (µm)', 'Moda 3 (µm)']
MODALITY = ('Unimodal', 'Bimodal', 'Trimodal', 'Polimodal')


def sample_row(file_name, diameters, s, mark):
    """The table's fields for one sample, as latin-1-backed text."""
    d = [v for _, v in diameters]
    w = [v for _, v in s['weights']]
    cum = list(accumulate(w))            # percent coarser than each class's diameter
    total = cum[-1]
    negative = [j for j in range(CLASSES) if w[j] < 0]
    phi = [-math.log2(x / 1000) for x in d]
    nums = {k: v for k, (_, v) in s['nums'].items()}

    q = percentiles(phi, cum, total, bool(negative))
    fw_phi = folk_ward(q)
    geometric = in_um(nums[23], nums[24], nums[25], nums[26])
    dx = {x: safe(to_um, q.get(100 - x)) for x in (10, 25, 50, 75, 90)}

    heaviest = max(range(CLASSES), key=lambda j: (w[j], -j))
    mode = (None if total <= 0 or heaviest == 0 else
            safe(lambda: math.sqrt(d[heaviest] * d[heaviest - 1])))

    weighed = total > 0 and math.isfinite(total)
    p = [100 * c / total for c in cum] if weighed else None
    fractions, _, bare_limit = fractions_of(d, phi, p)
    modes = modes_of(d, phi, w) if weighed else None

    code = folk_code(*(hundredths(s['nums'][k][0]) for k in (14, 15, 16, 17)))

    notes = []
    for j in negative:
        notes.append('Peso negativo en la clase de %s µm: %s %%' % (
            with_mark(diameters[j][0], mark), with_mark(s['weights'][j][0], mark)))
    if abs(total - 100) > 0.5:
        notes.append('Las clases suman %s %%, no 100 ± 0%s5' % (fixed(total, 3, mark), mark))
    missing = [x for x in PERCENTS if x not in q]
    if total <= 0:
        notes.append('Clases sin peso: sin percentiles, fracciones ni moda')
    elif negative:
        notes.append('Curva acumulada no monótona: sin percentiles')
    elif missing:
        notes.append('La curva acumulada empieza en el %s %%: sin los percentiles %s' % (
            fixed(100 * cum[0] / total, 3, mark), ', '.join(map(str, missing))))
    if total > 0 and heaviest == 0:
        notes.append('Moda no calculable: la clase más pesada es la de %s µm, '
                     'sin límite superior' % with_mark(diameters[0][0], mark))
    if bare_limit is not None:
        notes.append('Sin clases por debajo de %d µm: sin las fracciones que lo usan'
                     % bare_limit)
    gravel_digits = s['nums'][14][0]
    if w[0] == w[1] == w[2] == 0 and hundredths(gravel_digits) >= 1:
        decimals = len(re.split('[.,]', gravel_digits + '.')[1])
        notes.append('grava solo del láser: %s %%' % fixed(nums[14], min(decimals, 8), mark))

    row = [lit(file_name), s['lot'], s['name']]
    row += [with_mark(s['nums'][k][0], mark) for k in (14, 15, 16, 17, 18)]
    row += [s['shepard']]
    row += [with_mark(s['nums'][k][0], mark) for k in range(19, 27)]
    row += [computed(v, mark) for v in geometric + fw_phi + in_um(*fw_phi)]
    row += [lit(term(v, *t)) for v, t in zip(fw_phi, TERMS)]
    row += [computed(v, mark) for v in (
        mode, dx[10], dx[50], dx[90],
        safe(lambda a, b: a / b, dx[90], dx[10]), safe(lambda a, b: a - b, dx[90], dx[10]),
        safe(lambda a, b: a / b, dx[75], dx[25]), safe(lambda a, b: a - b, dx[75], dx[25]))]
    row += [computed(v, mark, 4) for v in fractions]
    row += [lit(code), lit(FOLK_NAMES[code]), lit('; '.join(notes))]
    row += [lit(sediment_name(code, fw_phi[0], fw_phi[1]))]
    row += [lit(MODALITY[min(modes[0], 4) - 1]) if modes else '']
    row += [computed(v, mark) for v in ((modes[1] if modes else []) + [None] * 3)[:3]]
    return row


def quoted(text):
    return '"' + text.replace('"', '""') + '"'


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--mark', choices=[',', '.'], default='.')
    ap.add_argument('out_table')
    ap.add_argument('results', nargs='+')
    a = ap.parse_args()

    lines, failed = [[lit(t) for t in HEADER]], False
    for path in a.results:
        try:
            diameters, samples = read_results(path)
        except (OSError, Unreadable) as e:
            where = '%s:%d' % (path, e.line) if isinstance(e, Unreadable) else path
            print('%s: %s' % (where, getattr(e, 'strerror', None) or e), file=sys.stderr)
            failed = True
            continue
        name = os.path.basename(path)
        lines += [sample_row(name, diameters, s, a.mark) for s in samples]

    with open(a.out_table, 'wb') as f:
        f.write(''.join(','.join(map(quoted, l)) + '\r\n' for l in lines).encode('latin-1'))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""Independent second calculation of a Granomet batch run.

Reads a lot file and a laser export file, matches the export's samples with the
lot, computes every matched sample (size fractions, moments, Shepard class) and
writes the results file and a listing of the run. It shares no code with the
program: it exists to produce the expected files of the end-to-end tests.

usage: reference_results.py [--mark ,|.] [--date DD/MM/YYYY] [--name NAME]
                            LOT_FILE EXPORT_FILE OUT_RESULTS OUT_LISTING
"""
import argparse
import datetime
import math
import os
import re
import struct
from decimal import Decimal, ROUND_HALF_UP
from types import SimpleNamespace


class Fault(Exception):
    """A floating-point fault, or a sample that cannot be split at 63/4 um."""


class ReadFailure(Exception):
    """Input the batch run cannot read; the run has no recovery for it."""


# ---------------------------------------------------------------- numbers

def single(x):
    """Nearest 32-bit float (used when reading single-precision fields)."""
    return struct.unpack('<f', struct.pack('<f', x))[0]


def f32(x):
    """Result of a 32-bit operation: NaN, infinity or overflow is a fault."""
    try:
        y = single(chk(x))
    except OverflowError:
        raise Fault('32-bit overflow')
    return chk(y)


def chk(x):
    """Result of a 64-bit operation: NaN or infinity is a fault."""
    if not math.isfinite(x):
        raise Fault('not finite')
    return x


def div(a, b):
    if b == 0:
        raise Fault('division by zero')
    return chk(a / b)


LEADING_NUMBER = re.compile(r'[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?')
PLAIN_DECIMAL = re.compile(r'[+-]?(\d+(\.\d*)?|\.\d+)')


def number(text):
    """The field's leading number; a field without one reads as 0."""
    m = LEADING_NUMBER.match(text.lstrip(' \t'))
    return float(m.group()) if m else 0.0


def int16(text):
    v = round(number(text))                   # a half goes to the even neighbour
    if not -32768 <= v <= 32767:
        raise ReadFailure('16-bit overflow: %r' % text)
    return v


def single_field(text):
    try:
        return single(number(text))
    except OverflowError:
        raise ReadFailure('single-precision overflow: %r' % text)


# ----------------------------------------------------------- field reader

class FieldReader:
    """Sequential reader of one file: whole lines and comma-separated fields.
    Text is held as latin-1 so that every byte of the file round-trips."""

    def __init__(self, path):
        with open(path, 'rb') as f:
            self.s = f.read().decode('latin-1')
        self.p = 0

    def at_end(self):
        return self.p >= len(self.s)

    def _find(self, stops):
        i = self.p
        while i < len(self.s) and self.s[i] not in stops:
            i += 1
        return i

    def _line_end(self):                      # CR LF, LF or a lone CR
        if self.s.startswith('\r\n', self.p):
            self.p += 2
        elif self.p < len(self.s) and self.s[self.p] in '\r\n':
            self.p += 1

    def read_line(self):
        if self.at_end():
            raise ReadFailure('end of file')
        end = self._find('\r\n')
        text, self.p = self.s[self.p:end], end
        self._line_end()
        return text

    def read_field(self):
        if self.at_end():
            raise ReadFailure('end of file')
        while self.p < len(self.s) and self.s[self.p] in ' \t':
            self.p += 1
        if self.s.startswith('"', self.p):    # quoted: up to the next quote
            close = self.s.find('"', self.p + 1)
            close = len(self.s) if close < 0 else close
            value = self.s[self.p + 1:close]
            self.p = min(close + 1, len(self.s))
            self.p = self._find(',\r\n')      # the rest up to the separator is dropped
        else:
            end = self._find(',\r\n')
            value, self.p = self.s[self.p:end].rstrip(' \t'), end
        if self.s.startswith(',', self.p):
            self.p += 1
        else:
            self._line_end()
        return value


# ---------------------------------------------------------------- lot file

def read_lot_header(r, lot):
    """Line 1, the nine header fields, then two whole lines."""
    r.read_line()
    fields = [r.read_field() for _ in range(9)]
    lot['ip'], lot['campaign'], lot['count'] = fields[2], fields[6], int16(fields[8])
    r.read_line()
    r.read_line()


def read_lot_row(r):
    """One row of sixteen fields; returns its own order number and the record."""
    f = [r.read_field() for _ in range(16)]
    m = int16(f[0])
    if not 1 <= m <= 254:
        raise ReadFailure('order number %d outside 1..254' % m)
    return m, SimpleNamespace(
        name=f[1], longitude=single_field(f[2]), latitude=single_field(f[3]),
        depth=single_field(f[4]), sub_depth=f[5], method=f[6], description=f[7],
        carbonate_text=f[8], carbonate=0.0, total=number(f[9]),
        partial=[number(t) for t in f[10:13]],
        shells=[single_field(t) for t in f[13:16]])


def lot_button_reading(path, lot):
    """The lot button's reading: sampleCount rows, names stored trimmed."""
    r = FieldReader(path)
    read_lot_header(r, lot)
    for _ in range(lot['count']):
        m, rec = read_lot_row(r)
        rec.name = rec.name.strip(' ')
        lot['records'][m] = rec


def carbonate_value(text, mark):
    """Carbonate column: last character dropped, regional mark read as point.
    None when the rest is not a number."""
    rest = text[:-1].replace(mark, '.').strip(' \t')
    return single(float(rest)) if PLAIN_DECIMAL.fullmatch(rest) else None


def reread_lot_row(path, lot, n, mark):
    """The batch run's second reading: the row on the n-th sample line,
    stored (name as read) under its own order number."""
    r = FieldReader(path)
    read_lot_header(r, lot)
    for _ in range(n - 1):
        r.read_line()
    m, rec = read_lot_row(r)
    rec.carbonate = carbonate_value(rec.carbonate_text, mark)
    lot['records'][m] = rec
    return rec


def count_sample_lines(path):
    """Export lines longer than 300 characters are sample lines; the first one
    tells whether each record carries a trailing empty field."""
    r = FieldReader(path)
    r.read_line()
    count, trailing = 0, False
    while not r.at_end():
        line = r.read_line()
        count += len(line) > 300
        if count == 1:
            trailing = line.endswith(',')
    return count, trailing


# ------------------------------------------------------------- computation

def compute_sample(rec, freq, diameters):
    """Fractions, moments and class of one matched sample, on copies, so
    that a fault keeps nothing. Returns (results, combined 68-class row)."""
    row = list(freq)
    # A. Weights, 64-bit.
    total = rec.total if rec.total != 0 else 100.0
    p1, p2, p3 = [max(chk(p - s), 0.0) for p, s in zip(rec.partial, rec.shells)]
    gravel_w = chk(chk(p1 + p2) + p3)
    shell_w = chk(chk(rec.shells[0] + rec.shells[1]) + rec.shells[2])
    net = chk(total - shell_w)
    laser_w = chk(net - gravel_w)
    shell_pct = div(chk(shell_w * 100), total) if shell_w > 0 else 0.0
    laser_frac = div(laser_w, net)

    # B. Combined distribution: laser classes scaled, gravel fractions on top.
    for c in range(1, 67):
        row[c] = chk(row[c] * laser_frac)
    row[65] = chk(chk(row[66] + row[65]) + div(chk(p3 * 100), net))
    row[66] = div(chk(p2 * 100), net)
    row[67] = div(chk(p1 * 100), net)
    row[68] = 0.0

    # C. Descending class table, j = 1 the coarsest (8000 um) class.
    cd, cw, cum = [0.0] * 69, [0.0] * 69, [0.0] * 69
    for j in range(1, 69):
        cd[j] = diameters[69 - j]
        cw[j] = f32(row[69 - j])
        cum[j] = cw[j] if j == 1 else f32(cum[j - 1] + cw[j])

    res = moments(cd, cw)
    res.update(size_fractions(cd, cum), shell=shell_pct)
    res['shepard'] = shepard(res['gravel'], res['sand'], res['silt'], res['clay'])
    return res, row


def phi_of(mm):
    """phi = log2(1 / d_mm): 32-bit reciprocal, 64-bit logarithm."""
    inv = f32(div(1.0, mm))
    if inv <= 0:
        raise Fault('logarithm of a non-positive value')
    return chk(math.log(inv) / math.log(2))


def round_half_away(x, decimals):
    scaled = x * 10 ** decimals
    whole = math.trunc(scaled)
    if abs(scaled - whole) >= 0.5:
        whole += math.copysign(1, scaled)
    return whole / 10 ** decimals


def moments(cd, w):
    """Mean, sorting, skewness and kurtosis in phi and in micrometres."""
    mm, phi, mid_mm, mid_phi = [0.0] * 69, [0.0] * 69, [0.0] * 69, [0.0] * 69
    mm[1] = f32(cd[1] / 1000)
    phi[1] = f32(round_half_away(phi_of(mm[1]), 3))
    for j in range(2, 69):
        mm[j] = f32(cd[j] / 1000)
        mid_mm[j] = f32(f32(mm[j - 1] + mm[j]) / 2)
        phi[j] = f32(phi_of(mm[j]))
        mid_phi[j] = f32(f32(phi[j - 1] + phi[j]) / 2)
    mid_um = [f32(m * 1000) for m in mid_mm]

    # Means over j = 2..68: 32-bit products added in 32 bits from 0.
    sum_phi = sum_um = 0.0
    for j in range(2, 69):
        sum_phi = f32(sum_phi + f32(mid_phi[j] * w[j]))
        sum_um = f32(sum_um + f32(mid_um[j] * w[j]))
    mean_phi, mean_um = f32(sum_phi / 100), f32(sum_um / 100)

    # Central moments over j = 1..68; only the um fourth-order sum is 64-bit.
    sp, su = {2: 0.0, 3: 0.0, 4: 0.0}, {2: 0.0, 3: 0.0, 4: 0.0}
    for j in range(1, 69):
        dp, du = f32(mid_phi[j] - mean_phi), f32(mid_um[j] - mean_um)
        for n in (2, 3, 4):
            sp[n] = f32(sp[n] + f32(chk(math.pow(dp, n) * w[j])))
            term = f32(chk(math.pow(du, n) * w[j]))
            su[n] = chk(su[n] + term) if n == 4 else f32(su[n] + term)

    def spread(sums):
        variance = f32(sums[2] / 100)
        if variance < 0:
            raise Fault('square root of a negative value')
        sorting = f32(math.sqrt(variance))
        return (sorting, f32(div(sums[3], chk(math.pow(sorting, 3) * 100))),
                f32(div(sums[4], chk(math.pow(sorting, 4) * 100))))

    sort_phi, skew_phi, kurt_phi = spread(sp)
    sort_um, skew_um, kurt_um = spread(su)
    return dict(mean_um=mean_um, sort_um=sort_um, skew_um=skew_um, kurt_um=kurt_um,
                mean_phi=mean_phi, sort_phi=sort_phi, skew_phi=skew_phi,
                kurt_phi=kurt_phi)


def cumulative_at(limit, first, cd, cum):
    """Cumulative percentage at `limit` um, interpolated in 32 bits between the
    first class from `first` on that is finer than the limit and the class
    before it. Returns the value and that class's index."""
    j = next((j for j in range(first, 69) if cd[j] < limit), None)
    if j is None:
        raise Fault('no class below %g um' % limit)
    d1, d2, c1, c2 = cd[j - 1], cd[j], cum[j - 1], cum[j]
    step = f32(div(f32(f32(d1 - limit) * f32(c2 - c1)), f32(d1 - d2)))
    return f32(c1 + step), j


def size_fractions(cd, cum):
    gravel = cum[4]                           # the four coarsest classes
    cum63, j_sand = cumulative_at(63, 4, cd, cum)
    sand = chk(cum63 - gravel)
    cum4, _ = cumulative_at(4, j_sand, cd, cum)
    silt = chk(chk(cum4 - sand) - gravel)
    clay = max(chk(100 - chk(chk(sand + silt) + gravel)), 0.0)
    return dict(gravel=gravel, sand=sand, silt=silt, clay=clay)


def shepard(gravel, sand, silt, clay):
    """Shepard (1954) class name; gravel counts with sand."""
    s = chk(gravel + sand)
    if clay >= 75:
        return 'Clay'
    if s >= 75:
        return 'Sand'
    if silt >= 75:
        return 'Silt'
    if clay <= 20:
        return 'Silty_Sand' if s >= silt else 'Sandy_Silt'
    if silt <= 20:
        return 'Clayed_Sand' if s >= clay else 'Sandy_Clay'
    if s <= 20:
        return 'Clayed_Silt' if silt >= clay else 'Silty_Clay'
    return 'Sand_Silt_Clay'


# ------------------------------------------------------------ results file

HEADER_TEXTS = [
    'Lot-Num', 'Muestra', 'Campaña', 'IP', 'Longº', 'Latº ', 'Prof(m)', 'SProf(cm)',
    'Carbonato%', 'Mét. Muestreo', 'Descrip. Visual', 'Clasif. Shepard(1954)',
    'Fichero-Laser', '%Grava (>2mm)', '%Arena(2mm-63µm)', '%Limo(63µm-4µm)',
    '%Arcilla(<4µm)', '%Bioclastos', 'µ-Media', 'µ-Clasificación', 'µ-Asimetría',
    'µ-Kurtosis', 'Ø-Media', 'Ø-Clasificación', 'Ø-Asimetría', 'Ø-Kurtosis',
    'Muestra', 'Lab', 'Fecha', 'Peso\\Diametro']


def lit(text):
    """A literal of ours in the file's code page, as latin-1-backed text."""
    return text.encode('cp1252').decode('latin-1')


def quoted(text):
    return '"' + text.replace('"', '""') + '"'


def bare(x, digits):
    """Bare number: %.7G for 32-bit values, %.15G for 64-bit; no negative zero."""
    return '0' if x == 0 else '%.*G' % (digits, x)


def pattern(x, int_digits, decimals, is_single, mark):
    """The numeric patterns "###0.000", "#00.00" and "#00.0", quoted."""
    exact = Decimal(('%.6E' if is_single else '%.14E') % x)
    q = exact.quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)
    whole, frac = format(abs(q), 'f').split('.')
    return quoted(('-' if q < 0 else '') + whole.rjust(int_digits, '0') + mark + frac)


def header_line(diameters, mark):
    return ','.join([quoted(lit(t)) for t in HEADER_TEXTS] +
                    [pattern(diameters[c], 1, 3, True, mark) for c in range(68, 0, -1)])


def data_line(n, rec, lot, laser_label, res, row, date, mark):
    f = [str(n), quoted(rec.name), quoted(lot['campaign']), quoted(lot['ip']),
         bare(rec.longitude, 7), bare(rec.latitude, 7), bare(rec.depth, 7),
         quoted(rec.sub_depth), bare(rec.carbonate, 7), quoted(rec.method),
         quoted(rec.description), quoted(res['shepard']), quoted(laser_label)]
    f += [pattern(res[k], 2, 2, False, mark) for k in ('gravel', 'sand', 'silt', 'clay')]
    f += [pattern(res['shell'], 2, 1, False, mark)]
    f += [bare(res[k], 7) for k in ('mean_um', 'sort_um', 'skew_um', 'kurt_um',
                                    'mean_phi', 'sort_phi', 'skew_phi', 'kurt_phi')]
    f += [quoted(rec.name), quoted('NERITA'), quoted(lit(date)), '100']
    f += [pattern(row[c], 1, 3, False, mark) for c in range(68, 1, -1)]
    f += [bare(row[1], 15)]
    return ','.join(f)


# --------------------------------------------------------------- batch run

def batch_run(lot_path, export_path, mark, date):
    """Returns List1, List2 and the lines of the results file (none when no
    sample was calculated)."""
    lot_name = os.path.basename(lot_path).rpartition('.')[0]
    lot = {'records': {}}
    lot_button_reading(lot_path, lot)
    count, trailing = count_sample_lines(export_path)

    diameters = [0.0] * 71
    diameters[66], diameters[67], diameters[68] = 4000.0, 6000.0, 8000.0
    frequencies, list1, list2, lines = {}, [], [], []
    class_fields = 198 + trailing
    r = FieldReader(export_path)
    r.read_line()
    for _ in range(count):
        # Identification: fields 1-30.
        for _ in range(23):
            r.read_field()
        laser_label = 'F_' + r.read_field()
        sample_name, lot_field, n = r.read_field(), r.read_field(), int16(r.read_field())
        for _ in range(3):
            r.read_field()

        # A record of another lot is skipped without a trace.
        if lot_field.strip(' ') != lot_name:
            for _ in range(class_fields):
                r.read_field()
            continue

        # Second reading of the lot; name check (and a readable carbonate).
        if not 1 <= n <= 254:
            raise ReadFailure('order number %d outside 1..254' % n)
        row_read = reread_lot_row(lot_path, lot, n, mark)
        rec = lot['records'].get(n)
        if rec is None or sample_name.strip(' ') != rec.name or row_read.carbonate is None:
            list2.append('%s ¿%d?' % (sample_name, n))
            for _ in range(class_fields):
                r.read_field()
            continue

        # Loading: the shared diameter table and the sample's frequency row.
        freq = frequencies.setdefault(n, [0.0] * 71)
        for c in range(1, 67):
            diameters[c] = single_field(r.read_field())
            freq[c] = number(r.read_field())
            r.read_field()
        if trailing:
            r.read_field()

        # Computation; a sample that faults is listed as ignored.
        try:
            res, frequencies[n] = compute_sample(rec, freq, diameters)
        except (Fault, ZeroDivisionError, OverflowError, ValueError):
            list2.append('%s ¿%d?' % (sample_name, n))
            continue
        list1.append(sample_name + '  ' + res['shepard'])
        if not lines:
            lines.append(header_line(diameters, mark))
        lines.append(data_line(n, rec, lot, laser_label, res, frequencies[n], date, mark))
    return list1, list2, lines


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--mark', choices=[',', '.'], default=',')
    ap.add_argument('--date', default=datetime.date.today().strftime('%d/%m/%Y'))
    ap.add_argument('--name', help='results file name for the status text '
                                   '(default: the name of OUT_RESULTS)')
    for name in ('lot_file', 'export_file', 'out_results', 'out_listing'):
        ap.add_argument(name)
    a = ap.parse_args()

    list1, list2, lines = batch_run(a.lot_file, a.export_file, a.mark, a.date)
    if lines:
        with open(a.out_results, 'wb') as f:
            f.write(''.join(line + '\r\n' for line in lines).encode('latin-1'))
    elif os.path.exists(a.out_results):
        os.remove(a.out_results)

    def shown(text):                          # file text as the window shows it
        return text.encode('latin-1').decode('cp1252', errors='replace')

    name = a.name if a.name is not None else os.path.basename(a.out_results)
    status = name + ' HA SIDO CREADO.' if lines else 'Sin muestras coincidentes'
    listing = (['Calculadas: %d' % len(list1)] + [shown(t) for t in list1] +
               ['Ignoradas: %d' % len(list2)] + [shown(t) for t in list2] + [status])
    with open(a.out_listing, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(listing) + '\n')


if __name__ == '__main__':
    main()

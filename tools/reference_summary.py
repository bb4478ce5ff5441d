#!/usr/bin/env python3
"""Independent second calculation of the lot summary.

Reads a statistics table written by `granomet-informe -o` and writes, for every
column that holds numbers, how many samples have one, their minimum, median,
mean, maximum and sample standard deviation (n - 1), computed with Python's
statistics module; then how many samples each Shepard class and each Folk group
has. It shares no code with the program: it exists to check the program's summary.

Output, UTF-8, one figure a line as "WHAT<tab>VALUE", a figure that cannot be
given left out: "COLUMN n", "COLUMN minimum", "COLUMN median", "COLUMN mean",
"COLUMN maximum", "COLUMN deviation"; "shepard CLASS_AS_WRITTEN" and
"folk FOLK_CODE" with their counts (an empty code: samples without a group).

usage: reference_summary.py [--mark ,|.] TABLE.csv OUT.txt
"""
import argparse
import csv
import io
import statistics
from collections import Counter

# The columns that name or describe a sample: the rest hold numbers. The order
# number is an identifier, whatever its digits.
TEXT_COLUMNS = {
    'Fichero de resultados', 'Lot-Num', 'Muestra', 'Clasif. Shepard(1954)',
    'Tamaño medio', 'Clasificación', 'Asimetría', 'Curtosis', 'Código Folk',
    'Grupo textural (Folk 1954)', 'Avisos', 'Nombre del sedimento', 'Modalidad',
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--mark', default='.', choices=[',', '.'])
    parser.add_argument('table')
    parser.add_argument('out')
    arguments = parser.parse_args()
    with open(arguments.table, 'rb') as f:
        text = f.read().decode('cp1252')
    rows = list(csv.reader(io.StringIO(text, newline='')))
    heading, lines = rows[0], rows[1:]
    out = []
    for i, name in enumerate(heading):
        if name in TEXT_COLUMNS:
            continue
        values = [float(line[i].replace(arguments.mark, '.')) for line in lines if line[i] != '']
        figures = [('n', len(values))]
        if values:
            figures += [('minimum', min(values)), ('median', statistics.median(values)),
                        ('mean', statistics.mean(values)), ('maximum', max(values))]
        if len(values) > 1:
            figures.append(('deviation', statistics.stdev(values)))
        out += ['%s %s\t%r' % (name, what, value) for what, value in figures]
    for kind, column in (('shepard', 'Clasif. Shepard(1954)'), ('folk', 'Código Folk')):
        counts = Counter(line[heading.index(column)] for line in lines)
        out += ['%s %s\t%d' % (kind, name, count) for name, count in sorted(counts.items())]
    with open(arguments.out, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()

#!/usr/bin/env bash
# Writes the sample data set into a fresh folder, prints its quote and invoice, the detail
# ticket and the packing list as PDF files, and renders every page to PNG for looking at.
#   render-samples.sh QUAYPRINT OUTDIR
set -euo pipefail
quayprint=$1
out=$2
rm -rf "$out/data"
mkdir -p "$out"
"$quayprint" --sample "$out/data"
"$quayprint" --pdf "$out/quote.pdf" "$out/data" 1
"$quayprint" --pdf "$out/invoice.pdf" "$out/data" 2
"$quayprint" --pdf "$out/long-quote.pdf" "$out/data" 3
"$quayprint" --detail --pdf "$out/detail-ticket.pdf" "$out/data" 1
"$quayprint" --packing --pdf "$out/packing-list.pdf" "$out/data" 2
for f in quote invoice long-quote detail-ticket packing-list; do
  pdftoppm -r 100 -png "$out/$f.pdf" "$out/$f"
done
ls "$out"/*.png

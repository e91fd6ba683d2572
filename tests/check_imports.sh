#!/bin/sh
# The program must run on a clean Windows: it may import system DLLs only.
exe=$1
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports:" $dlls
[ -n "$dlls" ] || { echo "no import table found"; exit 1; }
for d in $dlls; do
  case "$d" in
    kernel32.dll|user32.dll|gdi32.dll|comdlg32.dll|msvcrt.dll|shell32.dll|ole32.dll|\
    advapi32.dll|setupapi.dll|comctl32.dll) ;;
    *) echo "not a system DLL: $d"; exit 1 ;;
  esac
done

#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets. The seeds are committed; run
# this again only to change them.
set -euo pipefail
cd "$(dirname "$0")/corpus"
mkdir -p notes-reader preferences note-text

crlf() { sed 's/$/\r/'; }

crlf > notes-reader/two-notes.notes <<'NOTES'
!Noterix: 1.06
[start:note]
time-created: 2002/09/15 22:17
time-modified: 2002/09/16 01:32
time-accessed: 2002/09/16 01:33
position: 72 59
size: 296 216
colour: #FFFFCC
visible: yes
folded: no
guid: 9be2255defab639a41216265bd5b2834
content-length: 14
[start:contents]
#First note
#
#[end:note]
[end:contents]
[end:note]
[start:note]
colour: #ff0000
position: - 5 +6
[start:contents]
#second
[end:contents]
[end:note]
NOTES
printf '!pinnet\n[start:note]\n#unfinished\n#text' > notes-reader/old-header-no-end.notes
printf '\xef\xbb\xbf!Noterix: 1.06\r\n' > notes-reader/byte-order-mark.notes
printf '!Noterix: 1.06\r\n[start:note]\r\nsize: 99999999999 -99999999999\r\ncontent-length: 99999999\r\ntime-created: 2004/02/29 23:59\r\nvisible:no\r\nguid: zz\r\n#a\r#b\n\r#c\r\n[start:note]\r\n#next\r\n' > notes-reader/odd-values.notes

cat > preferences/noterix.conf <<'CONF'
# Noterix settings
[System]
FirstRun=dword:0
[UI]
NotesAlwaysOnTop=dword:1
ShowScrollBars=sz:yes
[UI.AskUserAbout]
DeleteNote=dword:0x0
DeleteNote_LastChoice=sz:Yes
Blob=binary:00ff10
List=multi_sz:a\0b
Escaped\x3Dname=expand_sz:\x20lead and trail\x20
CONF
printf 'no section=dword:99999999999\n[broken\n=sz:\n[]\nx=qword:1\r\n\\=sz:\\q\n' > preferences/odd-lines.conf

printf 'A first line of a note that is long enough to be cut in the menus\r\nand more' > note-text/long-ascii.txt
printf '\xc3\xa9t\xc3\xa9 \xe2\x82\xac\xf0\x9f\x93\x9d caf\xc3\xa9 \xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac' > note-text/utf8-title.txt
printf 'Caf\xe9 cr\xe8me br\xfbl\xe9e \x80 \x80 \x80 \x80 \x80 \x80 \x80 \x80 \x80 \x80 \x80 \x80\n' > note-text/windows-1252.txt
printf '\r\n\r\nstarts with empty lines' > note-text/leading-breaks.txt
printf '\xed\xa0\x80\xf4\x90\x80\x80\xc0\xaf\xe2\x82' > note-text/bad-sequences.txt

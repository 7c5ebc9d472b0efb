#!/usr/bin/env bash
# tarnwick-cli.exe end to end under Wine, on drive letters D: and E: that the Wine prefix maps
# to temporary folders: the program's Windows path rules on real drives.
# Usage: tests/windows/cli_drives.sh PATH/TO/tarnwick-cli.exe   (WINEPREFIX set and booted)
set -uo pipefail
cli="$1"
: "${WINEPREFIX:?set WINEPREFIX to a booted Wine prefix}"

work=$(mktemp -d /tmp/tarnwick-drives-XXXXXX)
trap 'rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/e:"; rm -rf "$work"' EXIT
mkdir -p "$work/d" "$work/e"
ln -sfn "$work/d" "$WINEPREFIX/dosdevices/d:"
ln -sfn "$work/e" "$WINEPREFIX/dosdevices/e:"

passed=0
failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}
cli() { /usr/lib/wine/wine64 "$cli" "$@" 2>"$work/stderr" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
value() { grep -m1 "^$1=" | cut -d= -f2-; }
# A task file with no source folders: without one the program would start from the default
# folders, which under Wine are the whole home folder.
empty_task() { printf '[DirList]\r\nCount=0\r\n[Comm]\r\nIncludeSubDir=1\r\n' >"$work/d/$1"; }
stamp='[0-9][0-9]:[0-9][0-9]:[0-9][0-9]    '

mkdir -p "$work/e/docs/sub"
echo one >"$work/e/docs/a.txt"
echo two >"$work/e/docs/sub/b.doc"
echo top >"$work/e/top.txt"

# A whole path below the destination, then the last name only: both end in D:\back\docs.
for full in 1 0; do
  rm -rf "$work/d/back"
  empty_task t.ini
  out=$(cli run --task 'D:\t.ini' 'txtToFolder=D:\back' "CheckFullFodler=$full" \
    'ListFromFolder+=E:\docs')
  check "run exit (full=$full)" 0 $?
  check "copied (full=$full)" "one" "$(cat "$work/d/back/docs/a.txt" 2>/dev/null)"
  check "copied below (full=$full)" "two" "$(cat "$work/d/back/docs/sub/b.doc" 2>/dev/null)"
  check "summary (full=$full)" "更新了 2 个文件(8)！" "$(tail -n1 <<<"$out" | sed "s/^$stamp//")"
done

# A drive root as the source: its files go straight into the destination with the whole path,
# below its drive letter without.
rm -rf "$work/d/back"
empty_task t.ini
cli run --task 'D:\t.ini' 'txtToFolder=D:\back' CheckFullFodler=1 'ListFromFolder+=E:\' >/dev/null
check "root source, whole path" "top" "$(cat "$work/d/back/top.txt" 2>/dev/null)"
rm -rf "$work/d/back"
out=$(cli show --task 'D:\t.ini' 'txtToFolder=D:\back' CheckFullFodler=0 'ListFromFolder+=E:\')
check "root source log line" "备份到:D:\\back\\E:\\" \
  "$(value 'ListMessage(1)' <<<"$out" | sed "s/^$stamp//")"
cli run --task 'D:\t.ini' 'txtToFolder=D:\back' CheckFullFodler=0 'ListFromFolder+=E:\' >/dev/null
check "root source, last name" "top" "$(cat "$work/d/back/E/top.txt" 2>/dev/null)"

# A drive root as the destination: nothing is created for it, the copies land in it.
out=$(cli run --task 'D:\t.ini' 'txtToFolder=D:\' CheckFullFodler=0 'ListFromFolder+=E:\docs')
check "root destination" "one" "$(cat "$work/d/docs/a.txt" 2>/dev/null)"

# The task file in code page 936, a Chinese folder name read back whole.
mkdir -p "$work/e/备份"
empty_task task.ini
cli save --task 'D:\task.ini' 'txtToFolder=D:\存档' 'ListFromFolder+=E:\备份' >/dev/null
check "save exit" 0 $?
check "GBK bytes in the task file" 1 "$(grep -c $'DDir=D:\\\\\xb4\xe6\xb5\xb5' "$work/d/task.ini")"
out=$(cli show --task 'D:\task.ini')
check "Chinese destination loads back" 'D:\存档' "$(value txtToFolder <<<"$out")"
check "Chinese source loads back" 'E:\备份' "$(value 'ListFromFolder(0)' <<<"$out")"

# The save command's own checks, on Windows terms.
cli save --task 'D:\task.ini' 'txtToFolder=\\srv\share' >/dev/null
check "network destination refused" 3 $?
check "its message" "存放备份的文件夹无效: 出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!" \
  "$(tr -d '\r' <"$work/stderr")"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

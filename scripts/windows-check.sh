#!/usr/bin/env bash
# Checks the Windows packages under Wine, in a fresh Wine prefix in the Czech locale, as a
# Windows user meets them, and says what it checked:
# - manifests: setup.exe and uninstall.exe ask for the highest rights ("highestAvailable" or
#   "requireAdministrator", never "asInvoker" beside an all-users mode); both programs run as
#   invoked on Windows 10/11, the calculator per-monitor DPI aware (version 2, as Qt sets it);
#   the program icon holds 16, 24, 32, 48 and 256 pixels;
# - the zip, unpacked into a folder "Mýtné 2027" as a Czech user names folders: its files,
#   README.txt in CR LF, vemo-data.exe's UTF-8 through a pipe, and vemo-maut.exe started in its
#   own folder opens its window with no message box (and, started in an empty folder, the
#   message box: the probe sees it);
# - a console in code page 852 (windows-probe reads its cells back with
#   ReadConsoleOutputCharacterW): vemo-data.exe's Czech and German letters, a file error, --raw
#   kept as Windows-1250 bytes, the help within 80 columns, the tariff file by its full name;
# - the installer for all users and for the current user, silently and (once in each mode)
#   through every page as a user goes with the defaults: the Apps entry (version,
#   publisher, size, icon, uninstall commands), the data beside the program, the Start-menu
#   shortcut's target and working folder, vemo-maut.exe started in the install folder, setup
#   and uninstaller refusing while the program runs, an update over an installed version in
#   its folder (one of the user's choice) that clears the older layout's data folder but keeps
#   a maintainer's file, and the uninstaller of each mode;
# - the finish page of each mode: every text shows whole in its control (windows-probe
#   measures it in the control's font), and the text names the folder of one's own, the data
#   files and README.txt;
# - the restart for all users of a user without administrator rights (/StandardUser: Wine gives
#   every process full rights, so the UAC prompt itself cannot be shown here).
# Usage: windows-check.sh ZIP SETUP_EXE WINDOWS_PROBE_EXE
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
zip=$(realpath "$1")
setup=$(realpath "$2")
probe=$(realpath "$3")
work="$(dirname "$zip")/check"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export LC_ALL="${LC_ALL:-cs_CZ.UTF-8}" WINEQT_QPA_PLATFORM=windows
version=$(basename "$setup" | sed -n 's/^vemo-maut-\(.*\)-win64-setup\.exe$/\1/p')
# The data files and sources that both packages put beside the programs; the older layout kept
# the first four of them in a folder "data" below.
bundled=(data.sdf data2.sdf maut_55a.csv au_maut.csv sazby.sdf sazby.csv)

fail() {
    echo "windows package check: $*" >&2
    exit 1
}

say() {
    echo "windows-check: $*"
}

# The Unix path of a Windows path in the check's Wine prefix.
unix_path() {
    winepath -u "$1" 2>/dev/null
}

windows_path() {
    winepath -w "$1" 2>/dev/null
}

manifest() {
    wrestool --raw -x -t 24 "$1" 2>/dev/null | tr -d "\r"
}

# Manifests of an installer or uninstaller: never "asInvoker", since it offers all users.
check_setup_manifest() {
    local what=$1 text
    text=$(manifest "$2")
    [ -n "$text" ] || fail "$what has no manifest"
    grep -Eq 'requestedExecutionLevel level="(highestAvailable|requireAdministrator)"' <<<"$text" ||
        fail "$what asks for $(grep -o 'requestedExecutionLevel level="[^"]*"' <<<"$text")"
    say "$what: manifest asks for $(grep -o 'level="[^"]*"' <<<"$text")"
}

check_program_manifest() {
    local name=$1 text
    text=$(manifest "$2")
    grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$text" || fail "$name is not asInvoker"
    grep -q 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' <<<"$text" ||
        fail "$name names no Windows 10/11"
    if [ "$name" = vemo-maut.exe ]; then
        grep -q '>PerMonitorV2</dpiAwareness>' <<<"$text" || fail "$name is not PerMonitorV2"
        local sizes
        wrestool -x -t 14 "$2" >"$work/icon.ico"
        sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
        [ "$sizes" = "16 24 32 48 256 " ] || fail "$name icon sizes: $sizes"
        say "$name: asInvoker, Windows 10/11, PerMonitorV2; icon $sizes"
    else
        say "$name: asInvoker, Windows 10/11"
    fi
}

# What comes up when PROGRAM starts in FOLDER: "window: ..." or "box: ..." (windows-probe).
started_in() {
    wine "$probe" window "$(windows_path "$1")" "$(windows_path "$2")" 40 ${3:+"$3"} | tr -d '\r'
}

check_zip() {
    local name dir expected
    name=$(basename "$zip" .zip)
    dir="$work/Mýtné 2027"
    mkdir -p "$dir"
    (cd "$dir" && cmake -E tar xf "$zip")
    dir="$dir/$name"
    expected=$(printf '%s\n' README.txt vemo-data.exe vemo-maut.exe "${bundled[@]}" |
        { [ ! -f "$root/LICENSE" ] || echo LICENSE.txt; cat; } | LC_ALL=C sort | tr '\n' ' ')
    [ "$(cd "$dir" && LC_ALL=C ls | tr '\n' ' ')" = "$expected" ] ||
        fail "the zip holds $(ls "$dir" | tr '\n' ' ')"
    [ "$(grep -c $'\r$' "$dir/README.txt")" = "$(wc -l <"$dir/README.txt")" ] ||
        fail "README.txt has lines without CR LF"
    check_program_manifest vemo-maut.exe "$dir/vemo-maut.exe"
    check_program_manifest vemo-data.exe "$dir/vemo-data.exe"

    local listed
    listed=$(cd "$dir" && wine vemo-data.exe sections data.sdf A3) || fail "vemo-data.exe failed"
    grep -q 'Würzburg-West' <<<"$listed" || fail "vemo-data.exe through a pipe: $(head -3 <<<"$listed")"
    [[ "$listed" != *$'\r'* ]] || fail "vemo-data.exe wrote CR"
    say "zip: $(wc -l <<<"$listed") sections of the A3 in UTF-8 through a pipe"

    local seen
    seen=$(started_in "$dir" "$dir/vemo-maut.exe")
    [[ "$seen" == "window: Vemo Maut - výpočet mýtného" ]] || fail "zip: vemo-maut.exe showed $seen"
    mkdir -p "$work/empty"
    seen=$(started_in "$work/empty" "$dir/vemo-maut.exe")
    [[ "$seen" == "box: Vemo Maut" ]] || fail "zip: in an empty folder vemo-maut.exe showed $seen"
    say "zip: vemo-maut.exe in its folder opens its window, in an empty folder the message box"
    zipdir=$dir
}

# The rows a console in code page 852 shows after vemo-data.exe ARGUMENTS ran in the zip folder.
console() {
    (cd "$zipdir" && wine "$probe" console 852 vemo-data.exe "$@" | tr -d '\r')
}

check_console() {
    local shown
    shown=$(console sections data.sdf A3) || fail "console: sections failed"
    grep -qx '(AD) Würzburg-West : (AS) Würzburg-Kist;4,0' <<<"$shown" ||
        fail "console 852 shows: $(grep -m1 rzburg <<<"$shown")"
    shown=$(console --raw sections data.sdf A3) || fail "console: --raw sections failed"
    # The Windows-1250 byte of "ü" is "Ř" in code page 852: the bytes went out unchanged.
    grep -qx '(AD) WŘrzburg-West : (AS) WŘrzburg-Kist;4,0' <<<"$shown" ||
        fail "console 852 shows with --raw: $(grep -m1 rzburg <<<"$shown")"
    local status=0
    shown=$(console decode neexistující.sdf) || status=$?
    [ $status = 1 ] && grep -q '^vemo-data: Nelze vytvořit soubor neexistující\.sdf' <<<"$shown" ||
        fail "console 852 shows for a missing file ($status): $shown"
    shown=$(console --help)
    ! grep -q '|$' <<<"$shown" || fail "the help fills a full console row: $(grep '|$' <<<"$shown")"
    grep -q 'místním nastavením Windows' <<<"$shown" || fail "the help does not speak of Windows"
    local lines
    lines=$(wc -l <<<"$shown")
    local tariff
    tariff=$(windows_path "$zipdir/sazby.sdf")
    shown=$(console tariff "$tariff") || fail "console: tariff $tariff failed: $shown"
    grep -q '^\* Sazebník: ' <<<"$shown" && ! grep -q neexistuje <<<"$shown" ||
        fail "console: tariff $tariff shows $shown"
    say "console 852: \"Würzburg\" and \"Nelze vytvořit soubor neexistující.sdf\" as written," \
        "--raw as Windows-1250 bytes, the help ($lines lines) within 80 columns, $tariff listed"
}

reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# Installs in MODE as a user does, through every page with its defaults, and checks the finish
# page: every text shows whole, and the one of its own names what a maintainer needs. The
# installer is ended there; then what came is checked (check_installed).
install_by_hand() {
    local mode=$1 shown
    shown=$(wine "$probe" finish "$(windows_path "$setup")" "/$mode" | tr -d '\r') ||
        fail "$mode: no finish page: $shown"
    wineserver -w
    ! grep -q '^cut: ' <<<"$shown" || fail "$mode: the finish page cuts $(grep '^cut: ' <<<"$shown")"
    local text word
    text=$(grep -m1 '^fits: .*README\.txt' <<<"$shown") || fail "$mode: finish page without README.txt: $shown"
    for word in 'vlastní složce' data.sdf data2.sdf sazby.sdf; do
        grep -qF "$word" <<<"$text" || fail "$mode: the finish page does not name $word: $text"
    done
    say "$mode: the finish page shows its $(grep -c . <<<"$shown") texts whole: ${text#fits: }"
    check_installed "$mode"
}

# Installs silently with ARGUMENTS and checks what came (check_installed).
install() {
    local mode=$1
    shift
    wine "$setup" /S "$@" || fail "$mode: the installer failed ($*)"
    wineserver -w
    check_installed "$mode"
}

# Checks what an install in MODE put in place, and leaves the installed folder in $installed,
# the Apps key in $key and the uninstaller's command in $uninstall.
check_installed() {
    local mode=$1 hive
    [ "$mode" = AllUsers ] && hive=HKLM || hive=HKCU
    key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VemoMaut"
    location=$(reg_value "$key" InstallLocation)
    uninstall=$(reg_value "$key" QuietUninstallString)
    [ -n "$location" ] && [ -n "$uninstall" ] || fail "$mode: no Apps entry under $key"
    installed=$(unix_path "$location")
    local file
    for file in vemo-maut.exe vemo-data.exe "${bundled[@]}" README.txt uninstall.exe; do
        [ -f "$installed/$file" ] || fail "$mode: no $file in $location"
        [ ! -e "$installed/data/$file" ] || fail "$mode: $file in the data folder of $location"
    done

    local name shown size
    [ "$(reg_value "$key" DisplayName)" = "Vemo Maut" ] || fail "$mode: Apps name"
    [ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "$mode: Apps version"
    [ -n "$(reg_value "$key" Publisher)" ] || fail "$mode: no publisher"
    [ "$(reg_value "$key" DisplayIcon)" = "$location\\vemo-maut.exe,0" ] || fail "$mode: Apps icon"
    size=$(($(reg_value "$key" EstimatedSize)))
    [ "$size" -gt 10000 ] || fail "$mode: Apps size $size KiB"
    [[ "$(reg_value "$key" UninstallString)" == *"/$mode" ]] || fail "$mode: uninstall command"
    say "$mode: $location; Apps entry Vemo Maut $version, $(reg_value "$key" Publisher), $size KiB"

    local links target folder=""
    links=$(find "$WINEPREFIX/drive_c" -name 'Vemo Maut.lnk')
    [ "$(grep -c . <<<"$links")" = 1 ] || fail "$mode: not one Start-menu shortcut: $links"
    # The shortcut keeps its target as a local path and its working folder as a UTF-16 string.
    target=$(strings -a "$links" | grep -m1 -i '^[a-z]:\\.*\.exe$') || fail "$mode: shortcut without target"
    [ "$(unix_path "$target")" -ef "$installed/vemo-maut.exe" ] || fail "$mode: shortcut target $target"
    while read -r path; do
        if [ -d "$(unix_path "$path")" ]; then folder=$path; break; fi
    done < <(strings -el "$links" | grep -io '[a-z]:\\.*')
    [ "$folder" = "$location" ] || fail "$mode: shortcut working folder '$folder'"
    say "$mode: Start-menu shortcut to $target in $folder"
}

# The uninstaller removes what the installer put there.
uninstall() {
    eval "wine $uninstall" || fail "$1: the uninstaller failed"
    wineserver -w
    removed "$1"
}

removed() {
    local mode=$1
    [ ! -e "$installed" ] || fail "$mode: $location is still there: $(ls -R "$installed")"
    [ -z "$(find "$WINEPREFIX/drive_c" -name 'Vemo Maut.lnk')" ] || fail "$mode: the shortcut is still there"
    ! wine reg query "$key" >/dev/null 2>&1 || fail "$mode: the Apps entry is still there"
    say "$mode: uninstalled"
}

check_all_users() {
    install_by_hand AllUsers
    check_setup_manifest uninstall.exe "$installed/uninstall.exe"

    # The program as Explorer starts it: in the install folder itself.
    local seen pid status
    seen=$(started_in "$installed" "$installed/vemo-maut.exe" keep)
    [[ "$seen" == "window: Vemo Maut - výpočet mýtného"$'\n'"pid: "* ]] ||
        fail "AllUsers: vemo-maut.exe in the install folder showed $seen"
    pid=${seen##*pid: }
    say "AllUsers: vemo-maut.exe in the install folder opens its window, no message box"
    # "_?=" keeps the uninstaller in place instead of going on from a copy of itself, so that
    # it is over when wine returns. (wineserver -w would wait for the running program.)
    eval "wine ${uninstall%\"*}\" /AllUsers /S '_?=$location'" || true
    [ -f "$installed/vemo-maut.exe" ] && [ -f "$installed/data.sdf" ] ||
        fail "AllUsers: the uninstaller went on while the program ran"
    status=0
    wine "$setup" /S /AllUsers || status=$?
    [ $status = 2 ] || fail "AllUsers: the installer went on while the program ran ($status)"
    wine taskkill /f /pid "$pid" >/dev/null 2>&1 || fail "AllUsers: cannot end the program"
    sleep 1
    say "AllUsers: setup (status $status) and uninstaller refuse while the program runs"
    uninstall AllUsers
}

check_current_user() {
    # An update: a folder of the user's choice (/D= takes no quotes, so no blanks here), the
    # older layout's data folder with a file of a maintainer's beside the bundled ones, then
    # the same installer again without a folder.
    local custom='C:\Programy\Vemo-Maut-test'
    install CurrentUser /CurrentUser "/D=$custom"
    [ "$location" = "$custom" ] || fail "CurrentUser: installed in $location, not $custom"
    mkdir -p "$installed/data"
    (cd "$installed" && cp "${bundled[@]:0:4}" data/)
    echo mine >"$installed/data/mine.sdf"
    install CurrentUser
    [ "$location" = "$custom" ] || fail "update: installed in $location, not in $custom"
    [ "$(ls "$installed/data")" = mine.sdf ] || fail "update: the data folder holds $(ls "$installed/data")"
    say "update: over the installed version in $custom, the older data folder cleared but for mine.sdf"
    rm -r "$installed/data"
    uninstall CurrentUser

    install_by_hand CurrentUser
    [[ "$location" == *'\AppData\Local\Programs\Vemo Maut' ]] || fail "CurrentUser: default folder $location"
    uninstall CurrentUser
}

# Without administrator rights, /AllUsers starts the installer again with "runas" (the UAC
# prompt on Windows; Wine starts it at once), and the restarted one installs for all users.
check_restart() {
    # /StandardUser is heeded: without a mode, such a user installs for himself.
    install CurrentUser /StandardUser
    uninstall CurrentUser
    install AllUsers /AllUsers /StandardUser
    uninstall="${uninstall% /S} /StandardUser /S"
    eval "wine $uninstall" || fail "restart: the uninstaller failed"
    # The restarted uninstaller runs on from a copy of itself once the first has ended.
    local tries=0
    while wine reg query "$key" >/dev/null 2>&1 && [ $tries -lt 30 ]; do
        sleep 1
        tries=$((tries + 1))
    done
    wineserver -w
    removed AllUsers
    say "restart: a user without administrator rights installs for himself by default; /AllUsers" \
        "restarts setup and uninstaller for all users"
}

check_setup_manifest setup.exe "$setup"
check_zip
check_console
check_all_users
check_current_user
check_restart
wineserver -k 2>/dev/null || true
say "all checks passed"

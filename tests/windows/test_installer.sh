#!/usr/bin/env bash
# The installer under Wine, as a user runs it: a silent install for the current user, the
# program started from where it was installed and ended with Exit, the uninstaller run silently,
# and nothing of the installer's left behind: its files, the Start-menu shortcut, the entry among
# the installed apps.
#   tests/windows/test_installer.sh build-windows/tavimo-1.0.0-setup.exe  (WINEPREFIX and
#   TAVIMO_CLIPBOARD as for the end-to-end tests)
setup=$(realpath "$1")
: "${WINEPREFIX:?the Windows tests need WINEPREFIX (see tests/windows/CMakeLists.txt)}"
# Wine names the user's profile after the user.
profile=$WINEPREFIX/drive_c/users/$(id -un)
dir=$profile/AppData/Local/Programs/Tavimo
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavimo.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavimo'
set -- "$dir/tavimo.exe"
source "$(dirname "$0")/../e2e/lib.sh"

# Every file of the user's profile but the temporary ones (the uninstaller runs from a copy of
# itself there, which Windows removes at its next start), and Tavimo's entry among the installed
# apps.
user_state() {
    (cd "$profile" && find . \( -path ./Temp -o -path ./AppData/Local/Temp \) -prune -o -print) |
        sort
    installed_entry
}
installed_entry() { { wine reg query "$key" 2>/dev/null || true; } | tr -d '\r'; }

start_display
# What a run that stopped half-way left in the tests' prefix goes first.
rm -rf "$dir" "$shortcut"
rmdir "$(dirname "$dir")" 2>/dev/null || true
wine reg delete "$key" /f >/dev/null 2>&1 || true
user_state >"$WORK/before"

wine "$setup" /S </dev/null >"$WORK/setup.log" 2>&1 || fail "the installer exited $?"
for file in tavimo.exe LICENSE.txt uninstall.exe; do
    [ -f "$dir/$file" ] || fail "not installed: $file"
done
cmp -s "$dir/tavimo.exe" "$(dirname "$setup")/src/platform/win32/tavimo.exe" ||
    fail "the installed program is not the one built"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
entry=$(installed_entry)
for value in 'DisplayName    REG_SZ    Tavimo' "UninstallString    REG_SZ    \"C:\\users"; do
    [[ $entry == *"$value"* ]] || fail "the installed apps' entry lacks [$value]: $entry"
done

start_app
expect_eq "the installed program's window" "333 270" "$(window_size)"
click_exit
wait_ended || fail "Exit did not end the installed program"

# The uninstaller starts a copy of itself in the temporary folder and ends; the copy removes
# the files and then the folders one by one, so what it leaves is read once it is done or 20 s
# have passed.
wine "$dir/uninstall.exe" /S </dev/null >"$WORK/uninstall.log" 2>&1 ||
    fail "the uninstaller exited $?"
for _ in $(seq 200); do
    user_state >"$WORK/after"
    cmp -s "$WORK/before" "$WORK/after" && break
    sleep 0.1
done
diff "$WORK/before" "$WORK/after" >&2 || fail "the uninstaller left the lines marked > above behind"
finish

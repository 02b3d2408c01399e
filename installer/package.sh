#!/usr/bin/env bash
# Builds the release files into dist/ (not tracked), from a clean tree too:
#   vellix-VERSION-x64.msi     the installer (wixl, from installer/vellix.wxs)
#   vellix-VERSION-win64.zip   the portable 64-bit program with a short read-me
#   vellix-VERSION-win32.zip   the same for 32-bit Windows
#   SHA256SUMS
# VERSION is the project's version in CMakeLists.txt. Installs what it needs on Debian (as
# root). Run it as tools/package.sh.
#
#   installer/package.sh msi VERSION PROGRAM OUT.msi
# builds only an installer of the given version around the given program (the end-to-end
# test makes a "newer" one this way).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh

# Windows Installer takes only the first three fields of a version.
version=$(sed -n 's/^project(Vellix VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "No version in CMakeLists.txt" >&2; exit 1; }

# build_msi VERSION PROGRAM OUT: wixl reads the sources beside it, by their bare names.
build_msi() {
    local sources=$PWD/installer stage out upgrade_code
    upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/{\U\1}/p' installer/vellix.wxs)
    stage=$(mktemp -d)
    out=$(realpath "$3")
    cp "$2" "$stage/vellix.exe"
    cp res/phone.ico "$stage/vellix.ico"
    (cd "$stage" && wixl -a x64 -D Version="$1" -o "$out" "$sources/vellix.wxs")
    # The new program also travels as a binary of the package, so that it can close the
    # running Vellix before any file is replaced: the installed one may be too old to know how.
    mkdir -p "$stage/Binary"
    cp "$2" "$stage/Binary/vellix.exe.ibd"
    printf 'Name\tData\r\ns72\tv0\r\nBinary\tName\r\nVellixProgram\tvellix.exe.ibd\r\n' \
        >"$stage/Binary.idt"
    (cd "$stage" && msibuild "$out" -i Binary.idt)
    rm -rf "$stage"
    # wixl has no component conditions; the two properties that leave parts out need them.
    # It also places the actions that take back the recorded choices after the end; they run
    # right after AppSearch (50), before the conditions are weighed.
    # Nor can it let a build replace an installed one of the same version (every build has a
    # product code of its own): the upgrade then takes the same version too (512, the upper
    # bound inclusive), instead of installing a second copy beside the first. The bounds are
    # part of the row's key, so the row is written anew.
    # The running Vellix is closed before InstallValidate (1400) weighs the files in use, by
    # the new program from the package (type 2, the return ignored: 66); after the install
    # the installed one starts again, without waiting (18 + 64 + 128), if one was closed.
    msibuild "$out" \
        -q "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART <> \"0\"' WHERE \`Component\` = 'StartupShortcut'" \
        -q "UPDATE \`Component\` SET \`Condition\` = 'LINKS <> \"0\"' WHERE \`Component\` = 'LinkHandler'" \
        -q "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 51 WHERE \`Action\` = 'RememberAutoStart'" \
        -q "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 52 WHERE \`Action\` = 'RememberLinks'" \
        -q "UPDATE \`InstallUISequence\` SET \`Sequence\` = 51 WHERE \`Action\` = 'RememberAutoStart'" \
        -q "UPDATE \`InstallUISequence\` SET \`Sequence\` = 52 WHERE \`Action\` = 'RememberLinks'" \
        -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('CloseVellix', 66, 'VellixProgram', '--close-for-update')" \
        -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('CloseVellixForRemoval', 66, 'VellixProgram', '--close')" \
        -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('ReopenVellix', 210, 'vellix.exe', '--reopen-after-update')" \
        -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('CloseVellix', 'NOT REMOVE~=\"ALL\"', 1398)" \
        -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('CloseVellixForRemoval', 'REMOVE~=\"ALL\" AND NOT UPGRADINGPRODUCTCODE', 1399)" \
        -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('ReopenVellix', 'NOT REMOVE', 6650)" \
        -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" \
        -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '$1', 513, 'WIX_UPGRADE_DETECTED')"
}

need_packages wixl msitools
if [ "${1:-}" = msi ] && [ $# -eq 4 ]; then
    build_msi "$2" "$3" "$4"
    exit 0
fi

need_packages cmake ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 zip
rm -rf dist
mkdir -p dist
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
sed "s/@VERSION@/$version/g; s/\$/\r/" installer/README.txt >"$stage/README.txt"

for target in x86_64:win64 i686:win32; do
    arch=${target%%:*} name=${target#*:}
    cmake -S . -B "build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
        -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$arch.cmake" >/dev/null
    cmake --build "build/$name" -j "$(nproc)" --target vellix
    mkdir -p "$stage/$name"
    "$arch-w64-mingw32-strip" -o "$stage/$name/vellix.exe" "build/$name/win32/vellix.exe"
    zip -q -X -9 -j "dist/vellix-$version-$name.zip" "$stage/$name/vellix.exe" "$stage/README.txt"
done
build_msi "$version" "$stage/win64/vellix.exe" "dist/vellix-$version-x64.msi"

(cd dist && sha256sum -- *.msi *.zip >SHA256SUMS)
echo "Release files of Vellix $version in dist/:"
(cd dist && ls -l -- *)

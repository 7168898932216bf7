# Shared by scripts/run.sh and scripts/test.sh: packages, build, and a Wine session.
# BUILD_DIR may be set by the caller (default: build beside the sources).

ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT_DIR/build}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR=$ROOT_DIR/$BUILD_DIR ;; esac
TOOLCHAIN_FILE=$ROOT_DIR/cmake/mingw-w64-x86_64.cmake
WINE=$ROOT_DIR/scripts/wine-run
WINESERVER=/usr/lib/wine/wineserver

REQUIRED_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools googletest
  wine64 fonts-wine xvfb xauth x11-apps imagemagick unzip clang libclang-rt-14-dev binutils"
# The 32-bit build's compiler, and the 32-bit Wine that runs its programs (wine64 hands a
# 32-bit executable to it); wine32 comes from Debian's i386 architecture.
PACKAGES_32BIT_BUILD="g++-mingw-w64-i686-posix"
PACKAGES_32BIT_WINE="wine32:i386"

# Installs, as root, those of the build's packages (and of the ones given) that are not
# installed yet, adding the i386 architecture first when one of them needs it.
install_missing_packages() {
    local missing="" package
    for package in $REQUIRED_PACKAGES "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    if [ "$(id -u)" != 0 ]; then
        echo "Packages are missing and this is not root: run as root, or install:$missing" >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    case "$missing" in *:i386*)
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
    esac
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
}

# Whether this machine runs 32-bit x86 programs at all: a kernel built without that says
# "Exec format error", and wine32 then installs but starts nothing. A program of a few
# bytes that only exits tells. The answer is kept for the shell; when it is no,
# RUNS_32BIT_ERROR says what became of the program.
can_run_32bit() {
    if [ -z "${RUNS_32BIT:-}" ]; then
        mkdir -p "$BUILD_DIR"
        local probe status=0
        probe=$(mktemp -d "$BUILD_DIR/probe32.XXXXXX")
        printf '.globl _start\n_start:\n\tmovl $1, %%eax\n\txorl %%ebx, %%ebx\n\tint $0x80\n' >"$probe/exit.s"
        if as --32 -o "$probe/exit.o" "$probe/exit.s" && ld -m elf_i386 -o "$probe/exit" "$probe/exit.o"; then
            ("$probe/exit"; exit $?) 2>"$probe/error" || status=$?
        else
            status=1
            echo "not made: as --32 or ld -m elf_i386 failed" >"$probe/error"
        fi
        RUNS_32BIT=yes
        if [ $status -gt 128 ]; then
            RUNS_32BIT=no RUNS_32BIT_ERROR="a 32-bit program was killed by SIG$(kill -l $((status - 128)))"
        elif [ $status != 0 ]; then
            RUNS_32BIT=no RUNS_32BIT_ERROR="a 32-bit program: $(sed -n '$s/.*: //p' "$probe/error")"
        fi
        rm -rf "$probe"
    fi
    [ "$RUNS_32BIT" = yes ]
}

configure_and_build() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE"
    fi
    cmake --build "$BUILD_DIR" "$@"
}

XVFB_PID=""

# Exports what every Wine process of this build needs, and makes the private prefix once.
prepare_wine() {
    export WINEPREFIX="$BUILD_DIR/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -z "${DISPLAY:-}" ]; then
        local display=90
        while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
            display=$((display + 1))
        done
        Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$display"
        local tries=0
        until [ -e "/tmp/.X11-unix/X$display" ] || [ $tries -ge 50 ]; do
            sleep 0.1; tries=$((tries + 1))
        done
        export VELANDRIMOUR_VIRTUAL_DISPLAY=1
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once, about 15 s)"
        "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
        "$WINESERVER" -w
    fi
    # A prefix made before wine32 was installed has no 32-bit system (wine: could not load
    # kernel32.dll), and its update stamp does not tell: update it once more, made stale.
    # Where the machine runs no 32-bit program the update cannot add it: not tried there.
    if [ -x /usr/lib/wine/wine ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] &&
        can_run_32bit; then
        echo "Adding the 32-bit system to the Wine prefix $WINEPREFIX (once, about 15 s)"
        rm -f "$WINEPREFIX/.update-timestamp"
        "$WINE" wineboot -u </dev/null >/dev/null 2>&1 || true
        "$WINESERVER" -w
    fi
    install_marlett
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    if [ -n "$XVFB_PID" ]; then
        # No window manager on a virtual display: do not wait for one at each window.
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    else
        "$WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
    fi
}

# Wine draws the title bar's close box, check marks and arrows with Marlett. Debian's
# fonts-wine puts it in /usr/share/wine/fonts, which this Wine never opens (it reads the
# prefix's Fonts and fontconfig's folders), so without a copy in the prefix a letter "r"
# stands for the glyph.
install_marlett() {
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    [ -f "$fonts/marlett.ttf" ] && return 0
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# Runs the current build's tests in a Wine session of their own.
run_tests() {
    trap finish_wine EXIT
    prepare_wine
    ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 900
    finish_wine
    trap - EXIT
}

finish_wine() {
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
        # Its display is gone: a later prepare_wine in this shell starts another.
        unset DISPLAY VELANDRIMOUR_VIRTUAL_DISPLAY
    fi
}

# A Unix path as Wine's programs see it (Z:\...).
wine_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# The launcher's argument for a path given to a script: a Windows path as it stands, a Unix one,
# absolute or relative to the current folder, as Wine's programs name it.
launcher_argument() {
    case "$1" in
    *\\* | [A-Za-z]:*) printf '%s' "$1" ;;
    *) wine_path "$1" ;;
    esac
}

LAUNCH_TOOL=$BUILD_DIR/tests/e2e/launch.exe

# Makes the 32-bit build the current one: i686, as the device is, in build32 (or BUILD32_DIR).
select_32bit_build() {
    BUILD_DIR=${BUILD32_DIR:-$ROOT_DIR/build32}
    case "$BUILD_DIR" in /*) ;; *) BUILD_DIR=$ROOT_DIR/$BUILD_DIR ;; esac
    TOOLCHAIN_FILE=$ROOT_DIR/cmake/mingw-w64-i686.cmake
    LAUNCH_TOOL=$BUILD_DIR/tests/e2e/launch.exe
}

# Saves the part of the screen that the file names ("pid left top right bottom") as a PNG.
save_screen_part() {
    local pid left top right bottom
    read -r pid left top right bottom <"$1"
    [ "$left" -ge 0 ] || left=0
    [ "$top" -ge 0 ] || top=0
    xwd -root -silent | /usr/bin/convert xwd:- -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "png:$2"
}

# Starts a program as Explorer would (with the argument, if one is given), saves a PNG of its
# windows once it is idle to the file given, closes it and prints the PNG's path. Needs
# prepare_wine.
screenshot_program() {
    local exe=$1 png=$2
    shift 2
    local rect=${png%.png}.window.txt pid
    rm -f "$rect"
    "$WINE" "$LAUNCH_TOOL" show "$(wine_path "$exe")" "$(wine_path "$rect")" "$@" </dev/null
    save_screen_part "$rect" "$png"
    read -r pid _ <"$rect"
    "$WINE" "$LAUNCH_TOOL" close "$pid" </dev/null || true
    echo "$png"
}

# The same for the launcher of RUN_DIR.
screenshot_launcher() {
    local run_dir=$1
    shift
    screenshot_program "$run_dir/velandrimour.exe" "$@"
}

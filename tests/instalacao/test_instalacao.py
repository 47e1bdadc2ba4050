#!/usr/bin/env python3
"""An installation as a school makes it: `cmake --install` into a folder of its own, which must hold
everything the program needs beyond the system's Qt libraries, a launcher that desktop-file-validate
accepts, and a program that starts and runs a session from there on a real X server.

Usage: test_instalacao.py BUILD_DIR. Exit 77 (skipped) only when no X server can be started."""

import os
import shutil
import subprocess
import sys
import tempfile

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "x11"))


def main():
    build = sys.argv[1]
    destino = tempfile.mkdtemp(prefix="datilux-instalado-")
    try:
        r = subprocess.run(["cmake", "--install", build, "--prefix", destino], capture_output=True, text=True)
        if r.returncode != 0:
            print("FAIL: cmake --install:", r.stdout, r.stderr)
            return 1
        esperados = {"datilux", "datilux-som.so", "Aviso.wav", "datilux.png", "datilux.desktop"}
        presentes = set(os.listdir(destino))
        if presentes != esperados:
            print("FAIL: the installed folder holds", sorted(presentes), "instead of", sorted(esperados))
            return 1
        print("ok: the installed folder holds the program, its sound module and sound, icon and launcher")
        with open(os.path.join(destino, "datilux.desktop"), encoding="utf-8") as f:
            lancador = f.read()
        if f'Exec="{destino}/datilux"' not in lancador or f"Icon={destino}/datilux.png" not in lancador:
            print("FAIL: the launcher does not point at the installed folder:\n" + lancador)
            return 1
        if shutil.which("desktop-file-validate"):
            r = subprocess.run(["desktop-file-validate", os.path.join(destino, "datilux.desktop")],
                               capture_output=True, text=True)
            if r.returncode != 0 or r.stdout.strip():
                print("FAIL: desktop-file-validate:", r.stdout, r.stderr)
                return 1
            print("ok: desktop-file-validate accepts the launcher")
        # The installed program, run from its folder, through a whole session on a real display.
        r = subprocess.run([sys.executable, os.path.join(AQUI, "..", "x11", "test_x11.py"),
                            os.path.join(destino, "datilux")])
        return r.returncode
    finally:
        shutil.rmtree(destino, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

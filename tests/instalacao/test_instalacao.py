#!/usr/bin/env python3
"""An installation under a prefix of its own (`cmake --install`), laid out as a system installation is:
the program in bin/, its modules in lib/datilux/, the sound in share/datilux/, the icon, the
launcher (accepted by desktop-file-validate) and the metainfo under share/; nothing of it writable by
group or others. The package test runs the installed layout on a real display.

Usage: test_instalacao.py BUILD_DIR."""

import os
import shutil
import stat
import subprocess
import sys
import tempfile

ESPERADOS = {
    "bin/datilux": 0o755,
    "lib/datilux/datilux-som.so": 0o644,
    "lib/datilux/datilux-graficos.so": 0o644,
    "lib/datilux/datilux-impressao.so": 0o644,
    "lib/datilux/datilux-resultados.so": 0o644,
    "share/datilux/Aviso.wav": 0o644,
    "share/icons/hicolor/256x256/apps/datilux.png": 0o644,
    "share/applications/org.datilux.Datilux.desktop": 0o644,
    "share/metainfo/org.datilux.Datilux.metainfo.xml": 0o644,
    "share/doc/datilux/copyright": 0o644,
    "share/doc/datilux/changelog.gz": 0o644,
    "share/man/man1/datilux.1.gz": 0o644,
}


def main():
    build = sys.argv[1]
    destino = tempfile.mkdtemp(prefix="datilux-instalado-")
    try:
        # A loose umask, as a careless administrator's: the installation's modes do not depend on it.
        r = subprocess.run(["cmake", "--install", build, "--prefix", destino], capture_output=True, text=True,
                           preexec_fn=lambda: os.umask(0))
        if r.returncode != 0:
            print("FAIL: cmake --install:", r.stdout, r.stderr)
            return 1
        presentes = {}
        for pasta, subpastas, arquivos in os.walk(destino):
            for nome in subpastas + arquivos:
                caminho = os.path.join(pasta, nome)
                presentes[os.path.relpath(caminho, destino)] = stat.S_IMODE(os.lstat(caminho).st_mode)
        arquivos = {c: m for c, m in presentes.items() if not os.path.isdir(os.path.join(destino, c))}
        if arquivos != ESPERADOS:
            print("FAIL: the installation holds", {c: oct(m) for c, m in arquivos.items()})
            return 1
        print("ok: program, modules, sound, icon, launcher, metainfo and documents, each in its place")
        abertos = [c for c, m in presentes.items() if m & (stat.S_IWGRP | stat.S_IWOTH)]
        if abertos:
            print("FAIL: writable by group or others:", abertos)
            return 1
        print("ok: nothing installed is writable by group or others")
        if shutil.which("desktop-file-validate"):
            r = subprocess.run(["desktop-file-validate",
                                os.path.join(destino, "share/applications/org.datilux.Datilux.desktop")],
                               capture_output=True, text=True)
            if r.returncode != 0 or r.stdout.strip():
                print("FAIL: desktop-file-validate:", r.stdout, r.stderr)
                return 1
            print("ok: desktop-file-validate accepts the launcher")
        return 0
    finally:
        shutil.rmtree(destino, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

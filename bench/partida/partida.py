#!/usr/bin/env python3
"""Start-up, memory and key-to-screen latency of the real program on a real X server (Xvfb).

- start-up: from process start to the login window mapped, median of 10 warm runs;
- peak resident memory (VmHWM) after a student logs in and types a whole exercise, and after a
  warning sound (the sound module is loaded with the first warning);
- key to screen: every key of a class 1 exercise sent with XTEST, timed to the window's first repaint
  on the server (teclax11).
When TIPP10 (a Qt typing tutor schools use) is installed, the same figures are taken for it in the same
run, as the yardstick."""

import os
import re
import shutil
import statistics
import subprocess
import sys
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "..", "tests", "x11"))
import datilux_x11 as dx  # noqa: E402

LOGIN = r"^Datilux$"
PRINCIPAL = r"^Datilux - Treinamento de digitação$"


def primeiro_exercicio():
    """Class 1 exercise 1 as the student types it ('\\n' is Enter)."""
    with open(os.path.join(AQUI, "..", "..", "src", "exercises", "data", "classe1.txt"), encoding="utf-8") as f:
        texto = f.read()
    entrada = texto.split("=== 1\n", 1)[1].split("\n===", 1)[0]
    linhas = [l for l in entrada.splitlines() if l]
    return "\n".join(linhas) + "\n"


def preparar(prog):
    prog.gravar("Datilux.arq", dx.entrada_config("SenhaAdm", "KORVA") + dx.entrada_config("MostrarSenha", "1"))
    prog.gravar("Alunos.arq", dx.registro_aluno(1, "ALUNA", "abc", 1, 1))


def partida(x, prog, execucoes):
    """Times from process start to the first window mapped (the main window) and to the login dialog
    mapped, in ms."""
    primeira, login = [], []
    for i in range(execucoes + 1):
        t0 = time.monotonic()
        prog.iniciar()
        janela = x.esperar_janela(r"^Datilux", limite=20)
        t1 = (time.monotonic() - t0) * 1000
        dialogo = x.esperar_janela(LOGIN, limite=20, dialogo=True)
        t2 = (time.monotonic() - t0) * 1000
        prog.parar()
        if janela is None or dialogo is None:
            print("  start-up: no window seen")
            return None, None
        if i > 0:  # the first run warms the caches up
            primeira.append(t1)
            login.append(t2)
        time.sleep(0.3)
    return primeira, login


def sessao(x, prog, teclax11, texto):
    prog.iniciar()
    login = x.esperar_janela(LOGIN, limite=20, dialogo=True)
    x.esperar_foco(login)
    time.sleep(0.3)
    x.digitar("1")
    x.teclas("Return")
    x.digitar("abc")
    x.teclas("Return", "Return")
    principal = x.esperar_janela(PRINCIPAL)
    x.sem_janela(LOGIN, 5)
    x.focar(principal)
    time.sleep(0.5)
    x.teclas("ctrl+c")
    time.sleep(0.5)
    latencias = None
    if teclax11:
        saida = subprocess.run([teclax11, principal, texto, "40"], env=x.env, capture_output=True, text=True)
        linha = saida.stdout.strip().splitlines()[-1] if saida.stdout.strip() else saida.stderr
        latencias = linha
    else:
        x.digitar(texto, atraso=5)
    time.sleep(1.0)
    memoria = prog.pico_memoria_mb()
    # A wrong key in a new session: the warning sound loads its module.
    x.teclas("ctrl+c")
    x.digitar("#")
    time.sleep(1.0)
    memoria_som = prog.pico_memoria_mb()
    prog.parar()
    return latencias, memoria, memoria_som


def tipp10(x, teclax11, execucoes):
    """The same figures for TIPP10, when it is installed; nothing otherwise."""
    binario = shutil.which("tipp10")
    if not binario:
        print("TIPP10: not installed, not measured")
        return
    tempos = []
    for i in range(execucoes + 1):
        t0 = time.monotonic()
        p = subprocess.Popen([binario], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        janela = x.esperar_janela(r"^(Introduction|TIPP10)$", limite=20)
        t = (time.monotonic() - t0) * 1000
        nome = next((n for j, n, w, h in x.janelas() if j == janela), "")
        p.terminate()
        p.wait(5)
        if janela is None:
            print("TIPP10: no window seen")
            return
        if nome != "Introduction" and i == 0:
            print(f"TIPP10: first window is {nome!r}, not its introduction (is its database set up?)")
        if i > 0:
            tempos.append(t)
        time.sleep(0.3)
    print(f"TIPP10: start to first window: median {statistics.median(tempos):.0f} ms "
          f"(min {min(tempos):.0f}, max {max(tempos):.0f}, n={len(tempos)})")

    p = subprocess.Popen([binario], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        intro = x.esperar_janela(r"^Introduction$", limite=20)
        if intro:
            x.esperar_foco(intro)
            x.teclas("Return")
        principal = x.esperar_janela(r"^TIPP10$", limite=20)
        x.esperar_foco(principal)
        x.teclas("alt+s")
        time.sleep(1.5)
        licao = [j for j, n, w, h in x.janelas() if w > 10 and h > 10 and re.search("TIPP10", n) and x.visivel(j)]
        alvo = licao[-1] if licao else principal
        x.focar(alvo)
        x.teclas("space")
        time.sleep(0.5)
        if teclax11:
            texto = "asdf jkl; " * 60
            saida = subprocess.run([teclax11, alvo, texto, "40"], env=x.env, capture_output=True, text=True)
            linhas = saida.stdout.strip().splitlines()
            print(f"TIPP10: key to screen (a lesson): {linhas[-1] if linhas else saida.stderr.strip()}")
        with open(f"/proc/{p.pid}/status") as f:
            pico = [int(l.split()[1]) / 1024 for l in f if l.startswith("VmHWM")][0]
        print(f"TIPP10: peak resident memory after a lesson: {pico:.1f} MB")
    finally:
        p.terminate()
        p.wait(5)


def main():
    binario = sys.argv[1]
    teclax11 = sys.argv[2] if len(sys.argv) > 2 and os.path.exists(sys.argv[2]) else None
    execucoes = 10
    try:
        x = dx.Xvfb()
    except dx.SemServidorX as e:
        print("no X server could be started:", e)
        return 0
    prog = dx.Programa(binario, x)
    try:
        preparar(prog)
        primeira, login = partida(x, prog, execucoes)
        for nome, tempos in (("first window", primeira), ("the login dialog", login)):
            if tempos:
                print(f"Datilux: start to {nome}: median {statistics.median(tempos):.0f} ms "
                      f"(min {min(tempos):.0f}, max {max(tempos):.0f}, n={len(tempos)})")
        latencias, memoria, memoria_som = sessao(x, prog, teclax11, primeiro_exercicio())
        if latencias:
            print(f"Datilux: key to screen (class 1 exercise 1): {latencias}")
        print(f"Datilux: peak resident memory after a whole exercise: {memoria:.1f} MB")
        print(f"Datilux: peak resident memory once the warning sound has played: {memoria_som:.1f} MB")
        tipp10(x, teclax11, execucoes)
    finally:
        prog.apagar()
        x.fechar()
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Start-up, memory and key-to-screen latency of the real program on a real X server (Xvfb).

- start-up: from process start to the first window mapped and to the login dialog mapped, median of
  10 warm runs;
- key to screen: every key of a class 1 exercise sent through XTEST, timed to the window's first
  repaint on the server (teclax11);
- peak resident memory (VmHWM) after a student logs in and types that whole exercise, and once the
  warning sound has played (its module loads with the first warning).
When TIPP10 (a Qt typing tutor schools use) is installed, it is measured in the same run the same way,
turn about with Datilux, as the yardstick. When openbox is installed it manages the windows, as on a
desktop; without it the programs run on the bare server."""

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
EXECUCOES = 10
BLOCOS = 6


def primeiro_exercicio():
    """Class 1 exercise 1 as the student types it ('\\n' is Enter)."""
    with open(os.path.join(AQUI, "..", "..", "src", "exercises", "data", "classe1.txt"), encoding="utf-8") as f:
        texto = f.read()
    entrada = texto.split("=== 1\n", 1)[1].split("\n===", 1)[0]
    return "\n".join(l for l in entrada.splitlines() if l) + "\n"


def latencias(saida):
    # One line per key: the character, a blank, the microseconds (the character may be a blank).
    valores = []
    for linha in saida.splitlines():
        numero = linha[2:].strip()
        if len(linha) > 2 and linha[1] == " " and numero.isdigit():
            valores.append(float(numero) / 1000)
    return valores


def resumo(valores):
    v = sorted(valores)
    n = len(v)
    return f"n={n} p50={v[n // 2]:.2f}ms p90={v[n * 9 // 10]:.2f}ms p99={v[n * 99 // 100]:.2f}ms max={v[-1]:.2f}ms"


def mediana(nome, tempos):
    return (f"{nome}: median {statistics.median(tempos):.0f} ms "
            f"(min {min(tempos):.0f}, max {max(tempos):.0f}, n={len(tempos)})")


class Datilux:
    def __init__(self, x, binario):
        self.x = x
        self.prog = dx.Programa(binario, x)
        self.prog.gravar("Datilux.arq",
                         dx.entrada_config("SenhaAdm", "KORVA") + dx.entrada_config("MostrarSenha", "1"))
        self.prog.gravar("Alunos.arq", dx.registro_aluno(1, "ALUNA", "abc", 1, 1))

    def partida(self):
        """(ms to the first window, ms to the login dialog)."""
        t0 = time.monotonic()
        self.prog.iniciar()
        janela = self.x.esperar_janela(r"^Datilux", limite=20)
        t1 = (time.monotonic() - t0) * 1000
        dialogo = self.x.esperar_janela(LOGIN, limite=20, dialogo=True)
        t2 = (time.monotonic() - t0) * 1000
        self.prog.parar()
        return (t1, t2) if janela and dialogo else None

    def abrir_sessao(self):
        """A student logged in and a session started: the window to type into."""
        self.prog.iniciar()
        login = self.x.esperar_janela(LOGIN, limite=20, dialogo=True)
        self.x.esperar_foco(login)
        time.sleep(0.3)
        self.x.digitar("1")
        self.x.teclas("Return")
        self.x.digitar("abc")
        self.x.teclas("Return", "Return")
        self.janela = self.x.esperar_janela(PRINCIPAL)
        self.x.sem_janela(LOGIN, 5)
        self.focar()
        self.x.teclas("ctrl+c")
        time.sleep(0.3)
        return self.janela

    def focar(self):
        self.x.focar(self.janela)
        time.sleep(0.3)

    def memoria(self):
        return self.prog.pico_memoria_mb()

    def aviso_sonoro(self):
        self.focar()
        self.x.teclas("ctrl+c")
        self.x.digitar("#")  # refused by lock mode: the warning sound plays
        time.sleep(1.0)

    def fechar(self):
        self.prog.apagar()


class Tipp10:
    def __init__(self, x):
        self.x = x
        self.binario = shutil.which("tipp10")
        self.processo = None

    def partida(self):
        t0 = time.monotonic()
        p = subprocess.Popen([self.binario], env=self.x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        janela = self.x.esperar_janela(r"^(Introduction|TIPP10)$", limite=20)
        t = (time.monotonic() - t0) * 1000
        nome = next((n for j, n, w, h in self.x.janelas() if j == janela), "")
        p.terminate()
        p.wait(5)
        if janela is None or nome != "Introduction":
            return None  # not its usual first window: its database is not set up
        return t

    def abrir_licao(self):
        self.processo = subprocess.Popen([self.binario], env=self.x.env, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
        intro = self.x.esperar_janela(r"^Introduction$", limite=20)
        if intro:
            self.x.esperar_foco(intro)
            self.x.teclas("Return")
        principal = self.x.esperar_janela(r"^TIPP10$", limite=20)
        if principal is None:
            self.fechar()
            return None
        self.x.esperar_foco(principal)
        self.x.teclas("alt+s")
        time.sleep(1.5)
        janelas = [j for j, n, w, h in self.x.janelas()
                   if w > 10 and h > 10 and re.search("TIPP10", n) and self.x.visivel(j)]
        self.janela = janelas[-1] if janelas else principal
        self.focar()
        self.x.teclas("space")
        time.sleep(0.5)
        return self.janela

    def focar(self):
        self.x.focar(self.janela)
        time.sleep(0.3)

    def memoria(self):
        with open(f"/proc/{self.processo.pid}/status") as f:
            return [int(l.split()[1]) / 1024 for l in f if l.startswith("VmHWM")][0]

    def fechar(self):
        if self.processo:
            self.processo.terminate()
            self.processo.wait(5)


def main():
    binario = sys.argv[1]
    teclax11 = sys.argv[2] if len(sys.argv) > 2 and os.path.exists(sys.argv[2]) else None
    try:
        x = dx.Xvfb()
    except dx.SemServidorX as e:
        print("no X server could be started:", e)
        return 0
    gerente = None
    if shutil.which("openbox"):
        gerente = subprocess.Popen(["openbox"], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
    print(f"window manager: {'openbox' if gerente else 'none'}")
    datilux = Datilux(x, binario)
    tipp = Tipp10(x) if shutil.which("tipp10") else None
    try:
        # Start-up, the two programs in turn; the first run of each warms the caches up.
        primeira, login, deles = [], [], []
        for i in range(EXECUCOES + 1):
            d = datilux.partida()
            t = tipp.partida() if tipp else None
            if i == 0:
                continue
            if d:
                primeira.append(d[0])
                login.append(d[1])
            if t:
                deles.append(t)
            time.sleep(0.2)
        if primeira:
            print("Datilux: " + mediana("start to the first window", primeira))
            print("Datilux: " + mediana("start to the login dialog", login))
        if deles:
            print("TIPP10: " + mediana("start to the first window", deles))
        elif tipp:
            print("TIPP10: not measured (its first window is not its introduction: is its database set up?)")
            tipp = None

        # Key to screen: each program alone on the server, in turn, twice over.
        texto = primeiro_exercicio()
        nossos, seus, memoria, memoria_deles = [], [], 0.0, 0.0
        for rodada in range(2 if teclax11 else 1):
            datilux.abrir_sessao()
            if teclax11:
                saida = subprocess.run([teclax11, datilux.janela, texto, "40"], env=x.env, capture_output=True,
                                       text=True)
                nossos += latencias(saida.stdout)
            else:
                x.digitar(texto, atraso=5)
            time.sleep(1.0)
            memoria = max(memoria, datilux.memoria())
            if rodada == 0:
                datilux.aviso_sonoro()
                memoria_som = datilux.memoria()
            datilux.prog.parar()
            if tipp and teclax11:
                if tipp.abrir_licao() is None:
                    print("TIPP10: its window did not show this round; round skipped")
                    continue
                saida = subprocess.run([teclax11, tipp.janela, ("asdf jkl; " * 60)[:len(texto)], "40"],
                                       env=x.env, capture_output=True, text=True)
                seus += latencias(saida.stdout)
                time.sleep(1.0)
                memoria_deles = max(memoria_deles, tipp.memoria())
                tipp.fechar()
        if nossos:
            print(f"Datilux: key to screen (class 1 exercise 1, twice): {resumo(nossos)}")
        if seus:
            print(f"TIPP10: key to screen (a lesson, twice): {resumo(seus)}")
        print(f"Datilux: peak resident memory after a whole exercise: {memoria:.1f} MB")
        print(f"Datilux: peak resident memory once the warning sound has played: {memoria_som:.1f} MB")
        if memoria_deles:
            print(f"TIPP10: peak resident memory after a lesson: {memoria_deles:.1f} MB")
    finally:
        datilux.fechar()
        if tipp:
            tipp.fechar()
        if gerente:
            gerente.terminate()
            gerente.wait(5)
        x.fechar()
    return 0


if __name__ == "__main__":
    sys.exit(main())

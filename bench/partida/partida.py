#!/usr/bin/env python3
"""Start-up, memory and key-to-screen latency of the real program on a real X server (Xvfb).

- start-up: from process start to the first window mapped and to the login dialog mapped, median of
  20 warm runs, timed by janelax11 from the server's own events (no polling while the program starts);
- key to screen: every key of a class 1 exercise sent through XTEST, timed to the window's first
  repaint on the server (teclax11), in RODADAS rounds; each round's p50, p90 and p99, then the median
  and the spread (min-max) of those over the rounds;
- peak resident memory (VmHWM) after a student logs in and types that whole exercise, its result
  written to the results database, and once the warning sound has played (its module loads with the
  first warning).
When TIPP10 (a Qt typing tutor schools use) is installed, it is measured in the same run the same way,
turn about with Datilux, as the yardstick. It types the very same passage: the bench gives TIPP10 an
own lesson holding that exercise's lines (dictated in order, one line per Enter, its "intelligence"
off, its error blocking on as it ships), in a home folder of its own, and checks afterwards from
TIPP10's own database that the lesson was typed without an error. When openbox is installed it manages
the windows, as on a desktop; without it the programs run on the bare server."""

import os
import re
import configparser
import shutil
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "..", "tests", "x11"))
import datilux_x11 as dx  # noqa: E402

LOGIN = r"^Datilux$"
PRINCIPAL = r"^Datilux - Treinamento de digitação$"
EXECUCOES = 20
RODADAS = int(os.environ.get("DATILUX_BENCH_RODADAS", "5"))
PAUSA_MS = "40"


def primeiro_exercicio():
    """Class 1 exercise 1 as the student types it ('\\n' is Enter)."""
    with open(os.path.join(AQUI, "..", "..", "src", "core", "exercises", "data", "classe1.txt"), encoding="utf-8") as f:
        texto = f.read()
    entrada = texto.split("=== 1\n", 1)[1].split("\n===", 1)[0]
    return "\n".join(l for l in entrada.splitlines() if l) + "\n"


def latencias(saida):
    # One line per key: the character, a blank, the microseconds, the moment it was sent (the character
    # may be a blank).
    valores = []
    for linha in saida.splitlines():
        campos = linha[2:].split()
        if len(linha) > 2 and linha[1] == " " and len(campos) == 2 and campos[0].isdigit():
            valores.append(float(campos[0]) / 1000)
    return valores


def percentis(valores):
    v = sorted(valores)
    n = len(v)
    return {"p50": v[n // 2], "p90": v[n * 9 // 10], "p99": v[n * 99 // 100], "max": v[-1]}


def resumo(valores):
    p = percentis(valores)
    return f"n={len(valores)} " + " ".join(f"{k}={p[k]:.2f}ms" for k in ("p50", "p90", "p99", "max"))


def rodadas(nome, lista):
    """Each round's percentiles, then their median and spread over the rounds."""
    linhas = [f"{nome}: key to screen, round {i + 1}: {resumo(v)}" for i, v in enumerate(lista)]
    por = [percentis(v) for v in lista]
    for k in ("p50", "p90", "p99"):
        xs = [p[k] for p in por]
        linhas.append(f"{nome}: key to screen {k} over {len(xs)} rounds: median {statistics.median(xs):.2f} ms "
                      f"(min {min(xs):.2f}, max {max(xs):.2f})")
    return "\n".join(linhas)


def cronometrar(x, janelax11, padroes, comando, pasta, env=None):
    """janelax11's times (ms) from the start of COMANDO to a window matching each pattern."""
    p = subprocess.Popen([janelax11, "20000", *padroes, "--", *comando], cwd=pasta, env=env or x.env,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        return [float(p.stdout.readline() or -1) for _ in padroes]
    finally:
        p.terminate()
        p.wait(10)


def barramento(x):
    """A D-Bus session bus and the accessibility bus's launcher for the programs, as every desktop session
    has them. Without a bus each Qt program spends some 25 ms of its start trying to launch one; with a
    bus but no launcher, its accessibility bridge may wait on the bus for the launcher's activation. Gives
    the processes to end afterwards (none when dbus-daemon is missing)."""
    if not shutil.which("dbus-daemon"):
        return []
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, text=True)
    endereco = bus.stdout.readline().strip()
    if not endereco:
        bus.kill()
        return []
    x.env["DBUS_SESSION_BUS_ADDRESS"] = endereco
    processos = [bus]
    lancador = "/usr/libexec/at-spi-bus-launcher"
    if os.path.exists(lancador):
        processos.append(subprocess.Popen([lancador, "--launch-immediately"], env=x.env, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL))
        time.sleep(0.3)
    return processos


def encerrar(processos):
    for p in reversed(processos):
        p.terminate()
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            p.kill()


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

    def partida(self, janelax11=None):
        """(ms to the first window, ms to the login dialog)."""
        if janelax11:
            tempos = cronometrar(self.x, janelax11, [r"^Datilux", "@" + LOGIN], [os.path.join(self.prog.pasta, "datilux")],
                                 self.prog.pasta)
            return tempos if tempos and min(tempos) > 0 else None
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
        if login is None:
            raise RuntimeError(f"no login dialog: {self.x.janelas()} {self.prog.processo.poll()}")
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

    def ultima_sessao(self, limite=10.0):
        """(keystrokes, errors, completed) of the last session in the results database, once written."""
        banco = os.path.join(self.prog.pasta, "Resultados.db")
        fim = time.monotonic() + limite
        linha = None
        while time.monotonic() < fim:
            if os.path.exists(banco):
                try:
                    with sqlite3.connect(f"file:{banco}?mode=ro", uri=True) as db:
                        linha = db.execute("SELECT toques, erros, concluido FROM sessao ORDER BY id DESC LIMIT 1"
                                           ).fetchone()
                    if linha and linha[0] >= self.esperados:
                        return linha
                except sqlite3.Error:
                    pass
            time.sleep(0.2)
        return ("not found", banco, os.listdir(self.prog.pasta), linha)

    def aviso_sonoro(self):
        self.focar()
        self.x.teclas("ctrl+c")
        self.x.digitar("#")  # refused by lock mode: the warning sound plays
        time.sleep(1.0)

    def fechar(self):
        self.prog.apagar()


class Tipp10:
    """TIPP10 in a home folder of its own, set to dictate TEXTO as an own lesson."""

    def __init__(self, x, texto):
        self.x = x
        self.binario = shutil.which("tipp10")
        self.processo = None
        self.casa = tempfile.mkdtemp(prefix="tipp10-bench-")
        self.env = dict(x.env, HOME=self.casa, XDG_CONFIG_HOME=os.path.join(self.casa, "config"),
                        XDG_DATA_HOME=os.path.join(self.casa, "data"))
        self.banco = os.path.join(self.casa, "data", "TIPP10", "TIPP10", "tipp10v2.db")
        self.pronto = self.preparar(texto)

    def iniciar(self):
        return subprocess.Popen([self.binario], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def preparar(self, texto):
        # Its first start creates its database and its settings; then the lesson goes in.
        p = self.iniciar()
        intro = self.x.esperar_janela(r"^Introduction$", limite=180)  # it fills its database first
        p.terminate()
        p.wait(5)
        if intro is None or not os.path.exists(self.banco):
            return False
        with sqlite3.connect(self.banco) as db:
            licao = db.execute("SELECT coalesce(max(own_id), 0) + 1 FROM own_list").fetchone()[0]
            db.execute("INSERT INTO own_list (own_id, own_name, own_description, own_unit) VALUES (?, ?, ?, 0)",
                       (licao, "Datilux 1.1", "bench"))
            db.executemany("INSERT INTO own_content (content_text, content_lesson) VALUES (?, ?)",
                           [(linha, licao) for linha in texto.splitlines() if linha])
        config = configparser.ConfigParser()
        config.optionxform = str
        arquivo = os.path.join(self.casa, "config", "TIPP10", "TIPP10.conf")
        config.read(arquivo)
        for secao, chaves in {
            "lesson": {"tab_current": "2", "list_own": str(licao)},
            "duration": {"radio_lesson": "true", "radio_time": "false", "radio_token": "false"},
            "intelligence": {"check_intelligence": "false"},
            "error": {"check_stop": "true", "check_correct": "false", "check_beep": "false"},
        }.items():
            if not config.has_section(secao):
                config.add_section(secao)
            for chave, valor in chaves.items():
                config.set(secao, chave, valor)
        with open(arquivo, "w") as f:
            config.write(f, space_around_delimiters=False)
        return True

    def partida(self, janelax11=None):
        if janelax11:
            tempos = cronometrar(self.x, janelax11, [r"^Introduction$"], [self.binario], self.casa, self.env)
            return tempos[0] if tempos and tempos[0] > 0 else None
        t0 = time.monotonic()
        p = self.iniciar()
        janela = self.x.esperar_janela(r"^(Introduction|TIPP10)$", limite=20)
        t = (time.monotonic() - t0) * 1000
        nome = next((n for j, n, w, h in self.x.janelas() if j == janela), "")
        p.terminate()
        p.wait(5)
        if janela is None or nome != "Introduction":
            return None  # not its usual first window
        return t

    def abrir_licao(self):
        self.processo = self.iniciar()
        intro = self.x.esperar_janela(r"^Introduction$", limite=20)
        if intro:
            self.x.esperar_foco(intro)
            self.x.teclas("Return")
        principal = self.x.esperar_janela(r"^TIPP10$", limite=20, excluir=())
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
        self.x.teclas("space")  # its lesson starts with the space bar
        time.sleep(0.5)
        return self.janela

    def ultima_licao(self):
        """(keystrokes, errors) of the last lesson it recorded, from its own database."""
        with sqlite3.connect(self.banco) as db:
            linha = db.execute("SELECT user_lesson_strokesnum, user_lesson_errornum FROM user_lesson_list "
                               "ORDER BY user_lesson_id DESC LIMIT 1").fetchone()
        return linha

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
            self.processo = None

    def apagar(self):
        self.fechar()
        shutil.rmtree(self.casa, ignore_errors=True)


def main():
    binario = sys.argv[1]
    teclax11 = sys.argv[2] if len(sys.argv) > 2 and os.path.exists(sys.argv[2]) else None
    janelax11 = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 and os.path.exists(sys.argv[3]) else None
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
    bus = barramento(x)
    print(f"session bus: {'dbus-daemon' if bus else 'none'}{', at-spi-bus-launcher' if len(bus) > 1 else ''}")
    texto = primeiro_exercicio()
    datilux = Datilux(x, binario)
    datilux.esperados = len(texto.rstrip("\n"))  # the last Enter is never typed: the exercise ends before it
    tipp = Tipp10(x, texto) if shutil.which("tipp10") else None
    if tipp and not tipp.pronto:
        print("TIPP10: not measured (its first start did not create its database)")
        tipp.apagar()
        tipp = None
    try:
        # Start-up, the two programs in turn; the first run of each warms the caches up.
        primeira, login, deles = [], [], []
        for i in range(EXECUCOES + 1):
            d = datilux.partida(janelax11)
            t = tipp.partida(janelax11) if tipp else None
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

        # Key to screen: each program alone on the server, in turn, the same passage, RODADAS rounds.
        nossos, seus, memoria, memoria_deles, memoria_som = [], [], 0.0, 0.0, 0.0
        for rodada in range(RODADAS if teclax11 else 1):
            datilux.abrir_sessao()
            if teclax11:
                saida = subprocess.run([teclax11, datilux.janela, texto, PAUSA_MS], env=x.env, capture_output=True,
                                       text=True)
                nossos.append(latencias(saida.stdout))
            else:
                x.digitar(texto, atraso=5)
            sessao = datilux.ultima_sessao()
            if sessao is None or sessao[1] != 0 or not sessao[2]:
                print(f"Datilux: round {rodada + 1}: the session was not stored whole and right: {sessao}")
            memoria = max(memoria, datilux.memoria())
            if rodada == 0:
                datilux.aviso_sonoro()
                memoria_som = datilux.memoria()
            datilux.prog.parar()
            if tipp and teclax11:
                if tipp.abrir_licao() is None:
                    print("TIPP10: its window did not show this round; round skipped")
                    continue
                saida = subprocess.run([teclax11, tipp.janela, texto, PAUSA_MS], env=x.env, capture_output=True,
                                       text=True)
                seus.append(latencias(saida.stdout))
                time.sleep(1.5)
                licao = tipp.ultima_licao()
                if licao is None or licao[1] != 0:
                    print(f"TIPP10: round {rodada + 1}: its lesson was not recorded without errors: {licao}")
                memoria_deles = max(memoria_deles, tipp.memoria())
                tipp.fechar()
        if nossos:
            print(rodadas("Datilux", nossos))
            print(f"Datilux: key to screen, all rounds: {resumo(sum(nossos, []))}")
        if seus:
            print(rodadas("TIPP10", seus))
            print(f"TIPP10: key to screen, all rounds: {resumo(sum(seus, []))}")
        print(f"Datilux: peak resident memory after a whole exercise, result written: {memoria:.1f} MB")
        print(f"Datilux: peak resident memory once the warning sound has played: {memoria_som:.1f} MB")
        if memoria_deles:
            print(f"TIPP10: peak resident memory after the same lesson: {memoria_deles:.1f} MB")
    finally:
        datilux.fechar()
        if tipp:
            tipp.apagar()
        if gerente:
            gerente.terminate()
            gerente.wait(5)
        encerrar(bus)
        x.fechar()
    return 0


if __name__ == "__main__":
    sys.exit(main())

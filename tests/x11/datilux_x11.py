"""Driving the real Datilux binary on a real X server (Xvfb): start the server, run the program from a
folder of its own, find its windows, send real X11 key events with xdotool, read pixels with xwd.

Used by the real-display test and by the start-up benchmark."""

import os
import re
import shutil
import signal
import struct
import subprocess
import tempfile
import time


class SemServidorX(Exception):
    """No X server could be started here."""


class Xvfb:
    def __init__(self, largura=1024, altura=768):
        if not shutil.which("Xvfb"):
            raise SemServidorX("Xvfb is not installed")
        for n in range(91, 120):
            if os.path.exists(f"/tmp/.X11-unix/X{n}") or os.path.exists(f"/tmp/.X{n}-lock"):
                continue
            self.display = f":{n}"
            self.processo = subprocess.Popen(
                ["Xvfb", self.display, "-screen", "0", f"{largura}x{altura}x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            limite = time.monotonic() + 10
            while time.monotonic() < limite:
                if self.processo.poll() is not None:
                    break
                # Two tests may pick the same free number at once: the server is ours only when the
                # display's lock holds our process, else the loser would use the winner's server and
                # lose it when the winner's test ends.
                if os.path.exists(f"/tmp/.X11-unix/X{n}") and self._dono(n):
                    self.env = dict(os.environ, DISPLAY=self.display, LANG="C.UTF-8", LC_ALL="C.UTF-8")
                    self.env.pop("QT_QPA_PLATFORM", None)
                    return
                time.sleep(0.05)
            self.fechar()
        raise SemServidorX("no X server could be started")

    def _dono(self, n):
        try:
            with open(f"/tmp/.X{n}-lock") as f:
                return int(f.read().strip() or 0) == self.processo.pid
        except (OSError, ValueError):
            return False

    def fechar(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            try:
                self.processo.wait(5)
            except subprocess.TimeoutExpired:
                self.processo.kill()

    def comando(self, *args, **kw):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True, **kw)

    def janelas(self):
        """(id, title, width, height, viewable) of every named window."""
        arvore = self.comando("xwininfo", "-root", "-tree").stdout
        achadas = []
        for m in re.finditer(r'^\s*(0x[0-9a-f]+) "([^"]*)": .*?(\d+)x(\d+)\+', arvore, re.M):
            achadas.append((m.group(1), m.group(2), int(m.group(3)), int(m.group(4))))
        return achadas

    def visivel(self, janela):
        return "IsViewable" in self.comando("xwininfo", "-id", janela).stdout

    def dialogo(self, janela):
        """Whether the window is a dialog standing over another window of its program."""
        return "window id #" in self.comando("xprop", "-id", janela, "WM_TRANSIENT_FOR").stdout

    def esperar_janela(self, titulo, limite=20.0, excluir=(), dialogo=None):
        """The first viewable window whose title matches the regular expression (and that is, or is
        not, a dialog, when `dialogo` says so). A window's title can change after it is mapped: the
        main window shows the program's name for an instant before its own title."""
        fim = time.monotonic() + limite
        while time.monotonic() < fim:
            for jid, nome, w, h in self.janelas():
                if jid in excluir or w <= 10 or h <= 10:
                    continue
                if re.search(titulo, nome) and self.visivel(jid):
                    if dialogo is None or self.dialogo(jid) == dialogo:
                        return jid
            time.sleep(0.005)
        return None

    def sem_janela(self, titulo, limite=10.0):
        fim = time.monotonic() + limite
        while time.monotonic() < fim:
            if not any(re.search(titulo, nome) and w > 10 and self.visivel(jid)
                       for jid, nome, w, h in self.janelas()):
                return True
            time.sleep(0.05)
        return False

    def teclas(self, *teclas):
        self.comando("xdotool", "key", "--delay", "30", *teclas)
        time.sleep(0.15)

    def digitar(self, texto, atraso=15):
        self.comando("xdotool", "type", "--delay", str(atraso), texto)
        time.sleep(0.15)

    def focar(self, janela):
        self.comando("xdotool", "windowfocus", "--sync", janela)

    def foco(self):
        saida = self.comando("xdotool", "getwindowfocus").stdout.strip()
        return int(saida) if saida.isdigit() else None

    def esperar_foco(self, janela, limite=3.0):
        """Waits until the keyboard is on the window (the program gives it to its dialogs); a window
        manager's part, handing it over when nobody does, is played at the end of the wait."""
        alvo = int(janela, 16)
        fim = time.monotonic() + limite
        while time.monotonic() < fim:
            if self.foco() == alvo:
                return True
            time.sleep(0.02)
        self.focar(janela)
        return self.foco() == alvo

    def imagem(self, janela):
        """A function (x, y) -> (r, g, b) over one xwd dump of the window."""
        dados = subprocess.run(["xwd", "-silent", "-id", janela], env=self.env, capture_output=True).stdout
        cab = struct.unpack(">25I", dados[:100])
        tam_cab, bpp, bytes_linha, ncores = cab[0], cab[11], cab[12], cab[19]
        inicio = tam_cab + ncores * 12
        passo = bpp // 8
        msb = cab[7] == 1

        def pixel(x, y):
            p = inicio + y * bytes_linha + x * passo
            if msb:
                return (dados[p + 1], dados[p + 2], dados[p + 3])
            return (dados[p + 2], dados[p + 1], dados[p])
        return pixel


def embaralhar(texto):
    return bytes(255 - b for b in texto.encode("cp1252"))


def entrada_config(chave, valor):
    return b"#!" + embaralhar(chave) + b"#@" + embaralhar(valor) + b"#$"


def registro_aluno(codigo, nome, senha, classe, exercicio):
    return (f"{codigo:04d}".encode("cp1252") + nome.ljust(30).encode("cp1252") + senha.ljust(10).encode("cp1252")
            + struct.pack("<hh", classe, exercicio) + bytes(10) + struct.pack("<hh", 0, 0))


class Programa:
    """A copy of the binary (with its sound and results modules and sound) in a temporary folder, run on a
    display."""

    def __init__(self, binario, x):
        self.x = x
        self.pasta = tempfile.mkdtemp(prefix="datilux-x11-")
        origem = os.path.dirname(os.path.abspath(binario))
        for nome in ("datilux", "datilux-som.so", "datilux-resultados.so", "Aviso.wav"):
            if os.path.exists(os.path.join(origem, nome)):
                shutil.copy2(os.path.join(origem, nome), self.pasta)
        self.processo = None

    def arquivo(self, nome):
        caminho = os.path.join(self.pasta, nome)
        if not os.path.exists(caminho):
            return None
        with open(caminho, "rb") as f:
            return f.read()

    def gravar(self, nome, dados):
        with open(os.path.join(self.pasta, nome), "wb") as f:
            f.write(dados)

    def iniciar(self):
        self.processo = subprocess.Popen([os.path.join(self.pasta, "datilux")], cwd=self.pasta, env=self.x.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.processo

    def pico_memoria_mb(self):
        with open(f"/proc/{self.processo.pid}/status") as f:
            for linha in f:
                if linha.startswith("VmHWM"):
                    return int(linha.split()[1]) / 1024
        return None

    def terminou(self, limite=10.0):
        try:
            self.processo.wait(limite)
            return True
        except subprocess.TimeoutExpired:
            return False

    def parar(self):
        if self.processo and self.processo.poll() is None:
            self.processo.send_signal(signal.SIGTERM)
            try:
                self.processo.wait(5)
            except subprocess.TimeoutExpired:
                self.processo.kill()
                self.processo.wait()

    def apagar(self):
        self.parar()
        shutil.rmtree(self.pasta, ignore_errors=True)

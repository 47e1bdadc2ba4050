#!/usr/bin/env python3
"""The real program on a real X server, driven with real X11 key events: the first-run notice, an
administrator login and a student registered by keyboard, a student login, a session with an accented
letter typed with a dead key, Alt+F refused, the finish and its message, moving on, quitting; then the
data files byte for byte, and the CAPS LOCK indicator against the keyboard's real state.

Exit 77 (skipped) only when no X server can be started."""

import os
import shutil
import sys
import tempfile
import time

import datilux_x11 as dx

PULAR = 77
LINHA_PRINCIPAL = r"^Datilux - Treinamento de digitação$"
CAIXA = r"^Datilux$"


X_ATUAL = None


def falhar(msg):
    print("FAIL:", msg)
    # A picture of the screen at the failure, where the tools for it are installed.
    if X_ATUAL is not None and shutil.which("import"):
        destino = os.path.join(tempfile.gettempdir(), "datilux-x11-falha.png")
        X_ATUAL.comando("import", "-window", "root", destino)
        print("screen at the failure:", destino)
    sys.exit(1)


def confere(condicao, msg):
    if not condicao:
        falhar(msg)
    print("ok:", msg)


def esperar_caixa(x, excluir=()):
    janela = x.esperar_janela(CAIXA, limite=10, excluir=excluir, dialogo=True)
    if janela is not None:
        x.esperar_foco(janela)
        # A person does not type in the first instant: the window finishes opening (the login
        # empties its boxes when it first becomes active).
        time.sleep(0.3)
    return janela


def caps_mostra_vermelho(x, principal, duracao=1.6):
    """Whether the CAPS LOCK indicator shows its red phase (200, 0, 0) at some moment within `duracao`
    seconds. The indicator is the one thing of that colour at the right end of the second label row."""
    fim = time.monotonic() + duracao
    while time.monotonic() < fim:
        pixel = x.imagem(principal)
        if any(pixel(600, y) == (200, 0, 0) for y in range(40, 95)):
            return True
        time.sleep(0.1)
    return False


def erros_mostrados(x, principal):
    """Whether the error counter shows a number: white digits inside the dark red label."""
    pixel = x.imagem(principal)
    caixa = [(px, py) for py in range(40, 95) for px in range(300, 560) if pixel(px, py) in ((128, 0, 0), (255, 0, 0))]
    if not caixa:
        return None
    x0, x1 = min(p[0] for p in caixa), max(p[0] for p in caixa)
    y0, y1 = min(p[1] for p in caixa), max(p[1] for p in caixa)
    return any(pixel(px, py) == (255, 255, 255) for py in range(y0, y1 + 1) for px in range(x0, x1 + 1))


def main():
    binario = sys.argv[1]
    try:
        x = dx.Xvfb()
    except dx.SemServidorX as e:
        print("SKIP: no X server could be started:", e)
        return PULAR
    global X_ATUAL
    X_ATUAL = x
    prog = dx.Programa(binario, x)
    try:
        prog.iniciar()

        # The first-run notice shows over the login, and takes the keyboard.
        primeira = x.esperar_janela(CAIXA, limite=10, dialogo=True)
        segunda = x.esperar_janela(CAIXA, limite=10, excluir=(primeira,), dialogo=True)
        confere(primeira is not None and segunda is not None, "the first-run notice shows over the login")
        fim = time.monotonic() + 5
        while time.monotonic() < fim and x.foco() not in (int(primeira, 16), int(segunda, 16)):
            time.sleep(0.02)
        confere(x.foco() in (int(primeira, 16), int(segunda, 16)), "the notice has the keyboard")
        time.sleep(0.3)
        # "Do not show this again", ticked from the keyboard, then OK.
        x.teclas("shift+Tab", "space", "Tab", "Return")
        confere(x.sem_janela(r"^Datilux$", 0.5) is False, "the notice closes; the login stays")

        # Administrator by keyboard: empty code, Enter, password, Enter, Enter.
        x.teclas("Return")
        x.digitar("korva")
        x.teclas("Return", "Return")
        principal = x.esperar_janela(LINHA_PRINCIPAL)
        confere(principal is not None and x.sem_janela(CAIXA, 5), "administrator logged in by keyboard")

        # Without a window manager, nobody hands the keyboard back to the main window when a dialog
        # closes: the test does, as a window manager would.
        x.focar(principal)

        # A student registered by keyboard: Alt+A opens the menu on its first item; the second is the
        # register.
        x.teclas("alt+a")
        time.sleep(0.3)
        x.teclas("Down", "Return")
        cadastro = x.esperar_janela(r"^Cadastro de alunos$", limite=10)
        confere(cadastro is not None, "the register opens from the menu")
        x.teclas("Return")            # code 0001 proposed: on to the name
        x.digitar("ana lima")
        x.teclas("Return")
        x.digitar("abc")
        x.teclas("Return")
        x.digitar("6")
        x.teclas("Return")
        x.digitar("01")
        x.teclas("Return", "Return")  # to Incluir, then click it
        time.sleep(0.5)
        x.teclas("Escape")
        confere(x.sem_janela(r"^Cadastro de alunos$", 5), "the register closes with Escape")

        # The student logs in (Ctrl+M), starts (Ctrl+C) and types the start of the passage, with the
        # accent of "lê" typed as a dead key.
        x.focar(principal)
        x.teclas("ctrl+m")
        login = esperar_caixa(x)
        confere(login is not None, "Ctrl+M opens the login")
        x.digitar("1")
        x.teclas("Return")
        x.digitar("ABC")
        x.teclas("Return", "Return")
        confere(x.sem_janela(CAIXA, 5), "student logged in with the password in another case")
        x.focar(principal)
        x.teclas("ctrl+c")
        x.digitar("Quem l")
        x.teclas("dead_circumflex", "e")
        x.digitar(" um")
        time.sleep(0.3)
        confere(erros_mostrados(x, principal) is False, "the accented letter from the dead key is no error")
        # Alt with a letter is a command, no character: had it come in, lock mode would count it wrong.
        x.teclas("alt+f")
        time.sleep(0.3)
        confere(erros_mostrados(x, principal) is False, "Alt+F types nothing")
        x.digitar("#")  # refused by lock mode and counted
        confere(erros_mostrados(x, principal) is True, "a wrong key shows in the error counter")

        # Ctrl+F: far too little typed.
        x.teclas("ctrl+f")
        mensagem = esperar_caixa(x)
        confere(mensagem is not None, "Ctrl+F shows the incomplete message")
        x.teclas("Return")
        confere(x.sem_janela(CAIXA, 5), "the message closes with Enter")
        x.focar(principal)

        # Moving on stores the next exercise.
        x.teclas("ctrl+p")
        time.sleep(0.5)

        # CAPS LOCK: the indicator follows the keyboard's real state.
        confere(not caps_mostra_vermelho(x, principal), "CAPS LOCK off: the indicator never shows red")
        x.teclas("Caps_Lock")
        confere(caps_mostra_vermelho(x, principal), "CAPS LOCK on: the indicator blinks red")
        x.teclas("Caps_Lock")
        time.sleep(0.6)
        confere(not caps_mostra_vermelho(x, principal), "CAPS LOCK off again: no more red")

        # Quitting from the menu: the last item of Arquivo.
        x.teclas("alt+a")
        time.sleep(0.3)
        x.teclas("Up", "Return")
        confere(prog.terminou(10), "the program ends from the menu")

        loja = dx.entrada_config("SenhaAdm", "KORVA") + dx.entrada_config("MostrarSenha", "1")
        confere(prog.arquivo("Datilux.arq") == loja,
                f"Datilux.arq holds the administrator password and the notice's flag, byte for byte "
                f"({prog.arquivo('Datilux.arq')!r})")
        esperado = dx.registro_aluno(1, "ANA LIMA", "abc", 6, 2)
        confere(prog.arquivo("Alunos.arq") == esperado,
                f"Alunos.arq holds the student at class 6 exercise 2, byte for byte "
                f"({prog.arquivo('Alunos.arq')!r})")
        confere(prog.arquivo("Config.arq") is None, "no Config.arq was written")
        return 0
    finally:
        prog.apagar()
        x.fechar()


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""What a screen reader reads of the real program, through AT-SPI on a real X server: a student logged
in, the main window's buttons as push buttons with their captions, the passage's text, the input box
by its name; the class register's grid as a table. Run with its own session bus and accessibility bus.

Exit 77 (skipped) when no X server, session bus or AT-SPI can be started here."""

import os
import shutil
import subprocess
import sys
import time

import datilux_x11 as dx

PULAR = 77

# Run by the system's Python, where the AT-SPI bindings are installed.
LEITOR = r'''
import sys, pyatspi
def achar(a, prof=0):
    try:
        papel, nome = a.getRoleName(), a.name
    except Exception:
        return
    texto = ""
    try:
        t = a.queryText()
        texto = t.getText(0, t.characterCount)
    except Exception:
        pass
    print(f"{papel}\t{nome}\t{texto.splitlines()[0] if texto else ''}")
    if prof < 10:
        for i in range(a.childCount):
            c = a.getChildAtIndex(i)
            if c is not None:
                achar(c, prof + 1)
mesa = pyatspi.Registry.getDesktop(0)
for i in range(mesa.childCount):
    app = mesa.getChildAtIndex(i)
    if app is not None and app.name == "Datilux":
        achar(app)
'''


def ler(x):
    """(role, name, first line of text) of every accessible object of the program."""
    saida = x.comando("/usr/bin/python3", "-c", LEITOR, timeout=60).stdout
    return [tuple((linha.split("\t") + ["", ""])[:3]) for linha in saida.splitlines()]


def main():
    binario = sys.argv[1]
    faltam = [p for p in ("dbus-launch", "/usr/libexec/at-spi-bus-launcher", "/usr/bin/python3")
              if not shutil.which(p) and not os.path.exists(p)]
    if faltam or subprocess.run(["/usr/bin/python3", "-c", "import pyatspi"], capture_output=True).returncode:
        print("SKIP: AT-SPI is not installed:", faltam or "pyatspi")
        return PULAR
    try:
        x = dx.Xvfb()
    except dx.SemServidorX as e:
        print("SKIP: no X server could be started:", e)
        return PULAR
    barramento = x.comando("dbus-launch", "--sh-syntax").stdout
    for linha in barramento.splitlines():
        if linha.startswith("DBUS_SESSION_BUS_ADDRESS=") or linha.startswith("DBUS_SESSION_BUS_PID="):
            chave, valor = linha.rstrip(";").split("=", 1)
            x.env[chave] = valor.strip("'")
    if "DBUS_SESSION_BUS_ADDRESS" not in x.env:
        x.fechar()
        print("SKIP: no session bus could be started")
        return PULAR
    x.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    at_spi = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=x.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    prog = dx.Programa(binario, x)
    try:
        prog.gravar("Datilux.arq", dx.entrada_config("SenhaAdm", "KORVA") + dx.entrada_config("MostrarSenha", "1"))
        prog.gravar("Alunos.arq", dx.registro_aluno(1, "ANA LIMA", "abc", 1, 1)
                    + dx.registro_aluno(2, "BRUNO DIAS", "xyz", 2, 5))
        prog.iniciar()
        login = x.esperar_janela(r"^Datilux$", limite=10, dialogo=True)
        if login is None:
            print("FAIL: the login did not show")
            return 1
        x.esperar_foco(login)
        time.sleep(0.5)
        x.digitar("1")
        x.teclas("Return")
        x.digitar("abc")
        x.teclas("Return", "Return")
        principal = x.esperar_janela(r"^Datilux - Treinamento de digitação$")
        time.sleep(1.5)
        objetos = ler(x)
        botoes = {nome for papel, nome, _ in objetos if papel == "push button"}
        esperados = {"Começar (Ctrl+C)", "Finalizar (Ctrl+F)", "Próximo exercício", "Carregar exercício", "Sair"}
        falhas = []
        if principal is None or not esperados <= botoes:
            falhas.append(f"buttons read: {sorted(botoes)}")
        passagem = [texto for papel, nome, texto in objetos if nome == "Texto do exercício"]
        if not passagem or not passagem[0].strip():
            falhas.append(f"the passage's text: {passagem}")
        if not any(nome == "Digitação" and papel == "text" for papel, nome, _ in objetos):
            falhas.append("the input box is not read as a text named Digitação")
        if not any(nome == "Erros" for _, nome, _ in objetos):
            falhas.append("the errors label is not named")
        for f in falhas:
            print("FAIL:", f)
        if not falhas:
            print("ok: buttons, passage, input box and labels read through AT-SPI; passage:", passagem[0][:40])
        return 1 if falhas else 0
    finally:
        prog.parar()
        prog.apagar()
        at_spi.terminate()
        if "DBUS_SESSION_BUS_PID" in x.env:
            subprocess.run(["kill", x.env["DBUS_SESSION_BUS_PID"]], capture_output=True)
        x.fechar()


if __name__ == "__main__":
    sys.exit(main())

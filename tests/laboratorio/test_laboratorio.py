#!/usr/bin/env python3
"""The Debian package as a school installs it.

  pacote BUILD_DIR DESTINO   builds the package of BUILD_DIR with CPack into DESTINO (a fixture)
  conteudo DEB               the package's files, owners and modes, control data, launcher, metainfo,
                             lintian
  laboratorio DEB            the package unpacked into a temporary root, run on Xvfb with --dados:
                             one account registers a student, another logs in as that student and moves
                             on (the session stored through the installed results module), a third
                             outside the group reads nothing; a sound module planted in the
                             data folder is never loaded. As root the accounts are temporary uids sharing
                             a temporary group (setpriv); otherwise the one account plays both parts and
                             the third is skipped.

Exit 77 (skipped) when a tool or an X server is missing."""

import glob
import os
import re
import shutil
import sqlite3
import stat
import subprocess
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "x11"))

import datilux_x11 as dx  # noqa: E402

PULAR = 77
CAIXA = r"^Datilux$"
PRINCIPAL = r"^Datilux - Treinamento de digitação$"
# Loaded at run time, so dpkg-shlibdeps cannot see them.
DEPENDENCIAS_DE_EXECUCAO = ["qt6-qpa-plugins", "fonts-liberation", "fonts-dejavu-core", "libqt6sql6-sqlite",
                            "libqt6sql6-psql", "qt6-translations-l10n"]
# Temporary ids for the lab's accounts (root only): the group, two members, one outsider.
GRUPO, PROFESSOR, ALUNO, ESTRANHO = 47900, 47901, 47902, 47903


class Falha(Exception):
    pass


def confere(condicao, msg):
    if not condicao:
        raise Falha(msg)
    print("ok:", msg)


def executar(*args, **kw):
    return subprocess.run(list(args), capture_output=True, text=True, **kw)


def pacote(build, destino):
    shutil.rmtree(destino, ignore_errors=True)
    r = executar("cpack", "-G", "DEB", "-B", destino, "--config", os.path.join(build, "CPackConfig.cmake"))
    debs = glob.glob(os.path.join(destino, "*.deb"))
    if r.returncode != 0 or len(debs) != 1:
        print("FAIL: cpack:", r.stdout[-3000:], r.stderr[-3000:])
        return 1
    print("ok: package built:", os.path.basename(debs[0]), os.path.getsize(debs[0]), "bytes")
    return 0


def arquivo_deb(pasta):
    debs = glob.glob(os.path.join(pasta, "*.deb"))
    if len(debs) != 1:
        raise Falha(f"no single package in {pasta} (the fixture that builds it failed?)")
    return debs[0]


def conteudo(deb):
    versao = re.search(r"datilux_([0-9.]+)_amd64\.deb$", deb)
    confere(versao is not None, f"the package is named datilux_<version>_amd64.deb ({os.path.basename(deb)})")

    info = executar("dpkg-deb", "-I", deb).stdout
    campos = dict(re.findall(r"^ (\w[\w-]*): (.*)$", info, re.M))
    confere(campos.get("Package") == "datilux" and campos.get("Version") == versao.group(1)
            and campos.get("Architecture") == "amd64", "control: name, version and architecture")
    depende = [d.strip().split(" ")[0] for d in campos.get("Depends", "").split(",")]
    confere(all(p in depende for p in DEPENDENCIAS_DE_EXECUCAO),
            f"Depends names what the program loads at run time ({campos.get('Depends')})")
    confere(any(d.startswith("libqt6widgets6") for d in depende) and any(d.startswith("libc6") for d in depende),
            "Depends holds the libraries dpkg-shlibdeps found")
    confere(re.search(r"^\s+\d+ bytes,\s+\d+ lines\s+\*\s+postinst\s", info, re.M)
            and re.search(r"^\s+\d+ bytes,\s+\d+ lines\s+\*\s+postrm\s", info, re.M),
            "the maintainer scripts are in, executable")

    linhas = executar("dpkg-deb", "-c", deb).stdout.splitlines()
    entradas = {}
    for linha in linhas:
        partes = linha.split(None, 5)
        modo, dono, caminho = partes[0], partes[1], partes[5].split(" -> ")[0]
        entradas[caminho.rstrip("/")] = (modo, dono)
    esperados = {
        "./usr/bin/datilux": "-rwxr-xr-x",
        "./usr/lib/datilux/datilux-som.so": "-rw-r--r--",
        "./usr/lib/datilux/datilux-graficos.so": "-rw-r--r--",
        "./usr/lib/datilux/datilux-resultados.so": "-rw-r--r--",
        "./usr/share/datilux/Aviso.wav": "-rw-r--r--",
        "./usr/share/icons/hicolor/256x256/apps/datilux.png": "-rw-r--r--",
        "./usr/share/applications/org.datilux.Datilux.desktop": "-rw-r--r--",
        "./usr/share/metainfo/org.datilux.Datilux.metainfo.xml": "-rw-r--r--",
        "./usr/share/doc/datilux/copyright": "-rw-r--r--",
        "./usr/share/doc/datilux/changelog.gz": "-rw-r--r--",
        "./usr/share/man/man1/datilux.1.gz": "-rw-r--r--",
    }
    for caminho, modo in esperados.items():
        confere(entradas.get(caminho, ("", ""))[0] == modo, f"{caminho} is {modo} ({entradas.get(caminho)})")
    gravaveis = [c for c, (m, d) in entradas.items() if m[5] == "w" or m[8] == "w"]
    confere(not gravaveis, f"nothing in the package is writable by group or others ({gravaveis})")
    alheios = [c for c, (m, d) in entradas.items() if d != "root/root"]
    confere(not alheios, f"everything belongs to root ({alheios})")
    confere(not any(c.startswith("./var") for c in entradas),
            "the data folder is not in the package (the maintainer script makes it)")
    confere(not any(c.endswith(".debug") or "/debug/" in c for c in entradas), "no debug symbols shipped")

    scripts_do_mantenedor(deb)

    with tempfile.TemporaryDirectory() as raiz:
        executar("dpkg-deb", "-x", deb, raiz)
        binario = os.path.join(raiz, "usr/bin/datilux")
        tipo = executar("file", "-b", binario).stdout if shutil.which("file") else "stripped"
        confere(", stripped" in tipo and "debug_info" not in tipo, f"the binary is stripped ({tipo.strip()})")
        print(f"size: installed binary {os.path.getsize(binario)} bytes, package {os.path.getsize(deb)} bytes")
        r = executar("desktop-file-validate", os.path.join(raiz, "usr/share/applications/org.datilux.Datilux.desktop"))
        confere(r.returncode == 0 and not r.stdout.strip(), f"desktop-file-validate accepts the launcher {r.stdout}")
        r = executar("appstreamcli", "validate", "--no-net",
                     os.path.join(raiz, "usr/share/metainfo/org.datilux.Datilux.metainfo.xml"))
        confere(r.returncode == 0, f"appstreamcli validate accepts the metainfo {r.stdout}")

    r = executar("lintian", "--no-cfg", deb)
    erros = [linha for linha in r.stdout.splitlines() if linha.startswith("E:")]
    confere(not erros, "lintian reports no error:\n" + r.stdout)
    for linha in r.stdout.splitlines():
        print("  lintian:", linha)
    return 0


# The maintainer scripts run for real as root, in a mount namespace of their own: a copy of /etc (for the
# new group) and an empty /var/lib (with the real dpkg database) stand in for the machine's.
NAMESPACE = r"""
set -e
T="$1"; CONTROLE="$2"
cp -a /etc "$T/etc"
mount --bind "$T/etc" /etc
mkdir "$T/dpkg"
mount --bind /var/lib/dpkg "$T/dpkg"
mount -t tmpfs tmpfs /var/lib
mkdir /var/lib/dpkg
mount --bind "$T/dpkg" /var/lib/dpkg
"$CONTROLE/postinst" configure
echo "grupo: $(getent group datilux | cut -d: -f1)"
echo "pasta: $(stat -c '%U:%G %a' /var/lib/datilux)"
"$CONTROLE/postinst" configure
echo "de novo: $(stat -c '%U:%G %a' /var/lib/datilux)"
touch /var/lib/datilux/Alunos.arq
"$CONTROLE/postrm" remove
echo "remover: $(ls /var/lib/datilux)"
"$CONTROLE/postrm" purge
echo "expurgar: $(test -e /var/lib/datilux && echo ficou || echo apagada)"
"""


def scripts_do_mantenedor(deb):
    with tempfile.TemporaryDirectory() as controle:
        executar("dpkg-deb", "-e", deb, controle)
        if os.geteuid() != 0 or not shutil.which("unshare"):
            print("note: not root: the maintainer scripts are not run")
            return
        with tempfile.TemporaryDirectory() as t:
            r = executar("unshare", "--mount", "--propagation", "private", "sh", "-c", NAMESPACE, "sh", t, controle)
    saida = dict(linha.split(": ", 1) for linha in r.stdout.splitlines() if ": " in linha)
    confere(r.returncode == 0, f"the maintainer scripts run ({r.stdout} {r.stderr})")
    confere(saida.get("grupo") == "datilux", "postinst creates the system group datilux")
    confere(saida.get("pasta") == "root:datilux 2770" and saida.get("de novo") == "root:datilux 2770",
            f"postinst makes /var/lib/datilux root:datilux 2770, also when run again ({saida.get('pasta')})")
    confere(saida.get("remover") == "Alunos.arq", "removing the package keeps the data")
    confere(saida.get("expurgar") == "apagada", "purging removes the data folder")


# --- the lab ------------------------------------------------------------------------------------------

MODULO_PLANTADO = r"""
#include <stdio.h>
static void plantado(void) __attribute__((constructor));
static void plantado(void)
{
    FILE *f = fopen(MARCA, "w");
    if (f) fclose(f);
}
void *DatiluxSomCriar(const void *caminho) { (void)caminho; return (void *)1; }
void DatiluxSomTocar(void *som) { (void)som; }
"""


class Conta:
    """Who runs the program: the test's own account, or a temporary uid switched to with setpriv."""

    def __init__(self, uid=None, gid=None, grupos=()):
        self.uid, self.gid, self.grupos = uid, gid, grupos
        self.casa = tempfile.mkdtemp(prefix="datilux-casa-")
        if uid is not None:
            os.chown(self.casa, uid, gid)

    def comando(self, *args):
        if self.uid is None:
            return list(args)
        grupos = ["--groups=" + ",".join(map(str, self.grupos))] if self.grupos else ["--clear-groups"]
        return ["setpriv", f"--reuid={self.uid}", f"--regid={self.gid}", *grupos, "--", *args]

    def apagar(self):
        shutil.rmtree(self.casa, ignore_errors=True)


def iniciar(x, conta, binario, dados):
    env = dict(x.env, HOME=conta.casa)
    env.pop("XDG_RUNTIME_DIR", None)
    # A strict umask, as some schools set: the program shares its files with the group all the same.
    registro = open(os.path.join(conta.casa, "saida.txt"), "ab")
    return subprocess.Popen(conta.comando(binario, "--dados", dados), cwd=conta.casa, env=env,
                            stdout=registro, stderr=registro, preexec_fn=lambda: os.umask(0o077))


def esperar_caixa(x):
    janela = x.esperar_janela(CAIXA, limite=30, dialogo=True)
    if janela is not None:
        x.esperar_foco(janela)
        time.sleep(0.3)
    return janela


def sessoes_gravadas(banco, limite=10.0):
    """The sessions in the results database once the program's writer has stored any (0: none came)."""
    fim = time.monotonic() + limite
    while time.monotonic() < fim:
        try:
            conexao = sqlite3.connect(f"file:{banco}?mode=ro", uri=True)
            try:
                n = conexao.execute("SELECT count(*) FROM sessao").fetchone()[0]
            finally:
                conexao.close()
            if n:
                return n
        except sqlite3.Error:
            pass  # not created yet, or locked by the writer
        time.sleep(0.2)
    return 0


def sair(x, processo):
    x.teclas("alt+a")
    time.sleep(0.3)
    x.teclas("Up", "Return")
    try:
        processo.wait(10)
        return True
    except subprocess.TimeoutExpired:
        processo.kill()
        processo.wait()
        return False


def pasta_ausente(x, conta, binario, pasta):
    processo = iniciar(x, conta, binario, pasta)
    confere(esperar_caixa(x) is not None, "a missing data folder is reported in a message")
    x.teclas("Return")
    try:
        processo.wait(10)
    except subprocess.TimeoutExpired:
        processo.kill()
        processo.wait()
    with open(os.path.join(conta.casa, "saida.txt"), errors="replace") as f:
        saida = f.read()
    confere(processo.returncode == 1 and f"A pasta de dados {pasta} não existe." in saida,
            f"the message names the folder and the program stops ({processo.returncode}: {saida.strip()})")


def professor_cadastra(x, conta, binario, dados):
    processo = iniciar(x, conta, binario, dados)
    primeira = x.esperar_janela(CAIXA, limite=30, dialogo=True)
    segunda = x.esperar_janela(CAIXA, limite=10, excluir=(primeira,), dialogo=True)
    confere(primeira and segunda, "the first-run notice shows over the login")
    fim = time.monotonic() + 5
    while time.monotonic() < fim and x.foco() not in (int(primeira, 16), int(segunda, 16)):
        time.sleep(0.02)
    time.sleep(0.3)
    x.teclas("shift+Tab", "space", "Tab", "Return")
    time.sleep(0.3)
    x.teclas("Return")
    x.digitar("korva")
    x.teclas("Return", "Return")
    principal = x.esperar_janela(PRINCIPAL)
    confere(principal is not None and x.sem_janela(CAIXA, 5), "the teacher logs in as administrator")
    x.focar(principal)
    x.teclas("alt+a")
    time.sleep(0.3)
    x.teclas("Down", "Return")
    confere(x.esperar_janela(r"^Cadastro de alunos$", limite=10) is not None, "the register opens")
    x.teclas("Return")
    x.digitar("ana lima")
    x.teclas("Return")
    x.digitar("abc")
    x.teclas("Return")
    x.digitar("6")
    x.teclas("Return")
    x.digitar("01")
    x.teclas("Return", "Return")
    time.sleep(0.5)
    x.teclas("Escape")
    confere(x.sem_janela(r"^Cadastro de alunos$", 5), "the student is registered")
    x.focar(principal)
    confere(sair(x, processo), "the teacher's program ends")


def aluno_avanca(x, conta, binario, dados, raiz):
    processo = iniciar(x, conta, binario, dados)
    confere(esperar_caixa(x) is not None, "the login shows")
    x.digitar("1")
    x.teclas("Return")
    x.digitar("ABC")
    x.teclas("Return", "Return")
    principal = x.esperar_janela(PRINCIPAL)
    confere(principal is not None and x.sem_janela(CAIXA, 5), "the student logs in on another account")
    x.focar(principal)
    x.teclas("ctrl+c")
    x.digitar("Q#")  # a wrong key: the warning sound loads the sound module
    time.sleep(1.0)
    with open(f"/proc/{processo.pid}/maps") as f:
        mapas = f.read()
    confere(os.path.join(raiz, "usr/lib/datilux/datilux-som.so") in mapas,
            "the warning loads the sound module of the installation")
    confere(os.path.join(dados, "datilux-som.so") not in mapas and not os.path.exists(os.path.join(dados, "carregado")),
            "the module planted in the data folder is never loaded")
    x.teclas("ctrl+f")
    confere(esperar_caixa(x) is not None, "the incomplete message shows")
    x.teclas("Return")
    confere(x.sem_janela(CAIXA, 5), "the message closes")
    confere(sessoes_gravadas(os.path.join(dados, "Resultados.db")) == 1, "the session is in the results database")
    with open(f"/proc/{processo.pid}/maps") as f:
        confere(os.path.join(raiz, "usr/lib/datilux/datilux-resultados.so") in f.read(),
                "through the results module of the installation")
    x.focar(principal)
    x.teclas("ctrl+p")
    time.sleep(0.5)
    confere(sair(x, processo), "the student's program ends")


def laboratorio(deb):
    for ferramenta in ("dpkg-deb", "cc", "xdotool", "xwininfo"):
        if not shutil.which(ferramenta):
            print("SKIP:", ferramenta, "is not installed")
            return PULAR
    try:
        x = dx.Xvfb()
    except dx.SemServidorX as e:
        print("SKIP: no X server could be started:", e)
        return PULAR
    raiz = tempfile.mkdtemp(prefix="datilux-raiz-")
    dados = tempfile.mkdtemp(prefix="datilux-dados-")
    contas = []
    try:
        # Every account of the test must be able to reach the program.
        os.chmod(raiz, 0o755)
        executar("dpkg-deb", "-x", deb, raiz)
        binario = os.path.join(raiz, "usr/bin/datilux")

        # A module someone put in the data folder, which would leave a mark if it were ever loaded.
        fonte = os.path.join(dados, "plantado.c")
        with open(fonte, "w") as f:
            f.write(MODULO_PLANTADO)
        r = executar("cc", "-shared", "-fPIC", f'-DMARCA="{os.path.join(dados, "carregado")}"', "-o",
                     os.path.join(dados, "datilux-som.so"), fonte)
        confere(r.returncode == 0, "a module is planted in the data folder " + r.stderr)
        os.remove(fonte)

        como_root = os.geteuid() == 0
        if como_root:
            os.chown(dados, 0, GRUPO)
            os.chmod(dados, 0o2770)
            professor = Conta(PROFESSOR, PROFESSOR, (GRUPO,))
            aluno = Conta(ALUNO, ALUNO, (GRUPO,))
            contas += [professor, aluno]
        else:
            print("note: not root: one account plays the teacher and the student; the account outside the "
                  "group is skipped")
            professor = aluno = Conta()
            contas.append(professor)

        pasta_ausente(x, professor, binario, os.path.join(dados, "nao-existe"))
        professor_cadastra(x, professor, binario, dados)
        aluno_avanca(x, aluno, binario, dados, raiz)

        with open(os.path.join(dados, "Alunos.arq"), "rb") as f:
            registro = f.read()
        confere(registro == dx.registro_aluno(1, "ANA LIMA", "abc", 6, 2),
                f"the record holds the next exercise, written by the student's account ({registro!r})")
        arquivos = [n for n in ("Alunos.arq", "Datilux.arq", "Config.arq") if os.path.exists(os.path.join(dados, n))]
        for nome in arquivos:
            st = os.stat(os.path.join(dados, nome))
            confere(stat.S_IMODE(st.st_mode) == 0o660, f"{nome} is 0660 ({oct(stat.S_IMODE(st.st_mode))})")
            if como_root:
                confere(st.st_gid == GRUPO, f"{nome} belongs to the folder's group")

        if como_root:
            estranho = Conta(ESTRANHO, ESTRANHO)
            contas.append(estranho)
            # Even with the folder open to it, an account outside the group reads no data file.
            os.chmod(dados, 0o2775)
            for nome in arquivos:
                r = executar(*estranho.comando(sys.executable, "-c", f"open({os.path.join(dados, nome)!r}).read()"))
                confere(r.returncode != 0 and "PermissionError" in r.stderr,
                        f"an account outside the group cannot read {nome}")
        return 0
    except Falha:
        for conta in contas:
            saida = os.path.join(conta.casa, "saida.txt")
            if os.path.exists(saida):
                with open(saida, errors="replace") as f:
                    print(f"output of the program (uid {conta.uid}):\n" + f.read()[-3000:])
        if shutil.which("import"):
            imagem = os.path.join(tempfile.gettempdir(), "datilux-laboratorio-falha.png")
            x.comando("import", "-window", "root", imagem)
            print("screen at the failure:", imagem)
        raise
    finally:
        x.fechar()
        for conta in contas:
            conta.apagar()
        shutil.rmtree(raiz, ignore_errors=True)
        shutil.rmtree(dados, ignore_errors=True)


def main():
    modo = sys.argv[1]
    try:
        if modo == "pacote":
            for ferramenta in ("cpack", "dpkg-deb", "dpkg-shlibdeps"):
                if not shutil.which(ferramenta):
                    print("SKIP:", ferramenta, "is not installed")
                    return PULAR
            return pacote(sys.argv[2], sys.argv[3])
        deb = arquivo_deb(sys.argv[2])
        if modo == "conteudo":
            for ferramenta in ("lintian", "appstreamcli", "desktop-file-validate"):
                if not shutil.which(ferramenta):
                    print("SKIP:", ferramenta, "is not installed")
                    return PULAR
            return conteudo(deb)
        return laboratorio(deb)
    except Falha as e:
        print("FAIL:", e)
        return 1


if __name__ == "__main__":
    sys.exit(main())

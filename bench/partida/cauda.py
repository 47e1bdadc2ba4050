#!/usr/bin/env python3
"""Where the slow keys go: one class 1 exercise typed into the real program on Xvfb (as partida.py
types it), with the program's timeline on (DATILUX_TRACO) and teclax11 saying when each key was sent
and when its first repaint reached the server. Both read the same monotonic clock, so every key can be
cut into phases: sent -> key event in the program -> handled -> window repaint begins -> repaint ends
(paint and flush) -> damage seen by the sender. Prints the phases' percentiles over all keys, then the
timeline around each key slower than the threshold.

Usage: cauda.py DATILUX TECLAX11 [THRESHOLD_MS]"""

import os
import subprocess
import sys
import tempfile

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, AQUI)
import partida  # noqa: E402

TIPOS = {6: "KeyPress", 7: "KeyRelease", 51: "ShortcutOverride", 83: "InputMethod", 77: "UpdateRequest",
         12: "Paint", 76: "LayoutRequest", 1: "Timer", 43: "MetaCall", 14: "Resize", 206: "Expose", 0: ""}


def ler_traco(caminho):
    eventos = []
    with open(caminho) as f:
        for linha in f:
            t, lado, tipo, quem = linha.rstrip("\n").split(" ", 3)
            eventos.append((int(t), lado, int(tipo), quem))
    return eventos


def main():
    binario, teclax11 = sys.argv[1], sys.argv[2]
    limiar = float(sys.argv[3]) if len(sys.argv) > 3 else 4.0
    x = partida.dx.Xvfb()
    gerente = subprocess.Popen(["openbox"], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    bus = partida.barramento(x)
    traco = tempfile.mktemp(prefix="datilux-traco-")
    datilux = partida.Datilux(x, binario)
    try:
        extra = {"DATILUX_TRACO": traco}
        for par in os.environ.get("CAUDA_AMBIENTE", "").split():
            k, v = par.split("=", 1)
            extra[k] = v
        x.env.update(extra)
        datilux.abrir_sessao()
        for k in extra:
            del x.env[k]
        texto = partida.primeiro_exercicio()
        saida = subprocess.run([teclax11, datilux.janela, texto, partida.PAUSA_MS], env=x.env, capture_output=True,
                               text=True).stdout
        datilux.prog.parar()
        eventos = ler_traco(traco)
    finally:
        datilux.fechar()
        gerente.terminate()
        partida.encerrar(bus)
        x.fechar()

    teclas = []
    for linha in saida.splitlines():
        campos = linha[2:].split()
        if len(linha) > 2 and linha[1] == " " and len(campos) == 2:
            teclas.append((linha[0], float(campos[0]), float(campos[1])))
    fases = {k: [] for k in ("enviada->KeyPress", "KeyPress", "KeyPress->repaint", "repaint", "repaint->visto")}
    lentas = []
    internas = {}
    for c, lat, t0 in teclas:
        fim = t0 + lat
        janela = [e for e in eventos if t0 - 200 <= e[0] <= fim + 200]
        kp = next((e for e in janela if e[2] == 6 and e[1] == ">" and e[0] >= t0), None)
        kps = next((e for e in janela if kp and e[2] == 6 and e[1] == "<" and e[0] >= kp[0]), None)
        ur = next((e for e in janela if kps and e[2] == 77 and e[1] == ">" and e[0] >= kps[0]), None)
        urs = next((e for e in janela if ur and e[2] == 77 and e[1] == "<" and e[0] >= ur[0]), None)
        if kp and kps:
            # Inside the key's handling: the program's own stamps, then the window's repaint.
            dentro = [e for e in janela if kp[0] <= e[0] <= kps[0]]
            marcos = [(e[3], e[0]) for e in dentro if e[2] == 0]
            rep = [e for e in dentro if e[2] == 77]
            pint = [e for e in dentro if e[2] == 12]
            if rep and pint:
                marcos += [("repaint>", rep[0][0]), ("paint>", pint[0][0]), ("paint<", pint[-1][0]),
                           ("repaint<", rep[-1][0])]
            anterior = ("KeyPress>", kp[0])
            for nome, t in marcos + [("KeyPress<", kps[0])]:
                internas.setdefault(f"{anterior[0]}->{nome}", []).append(t - anterior[1])
                anterior = (nome, t)
        if kp and kps and ur and urs:
            fases["enviada->KeyPress"].append(kp[0] - t0)
            fases["KeyPress"].append(kps[0] - kp[0])
            fases["KeyPress->repaint"].append(ur[0] - kps[0])
            fases["repaint"].append(urs[0] - ur[0])
            fases["repaint->visto"].append(fim - urs[0])
        if lat / 1000 > limiar:
            lentas.append((c, lat, t0, janela))
    print(f"{len(teclas)} keys, {len(lentas)} over {limiar} ms")
    for nome, v in fases.items():
        if v:
            v.sort()
            n = len(v)
            print(f"  {nome:20s} p50 {v[n // 2] / 1000:6.2f}  p90 {v[n * 9 // 10] / 1000:6.2f}  "
                  f"p99 {v[n * 99 // 100] / 1000:6.2f}  max {v[-1] / 1000:6.2f} ms")
    print("inside the key's handling:")
    for nome, v in internas.items():
        if len(v) > len(teclas) // 2:
            v.sort()
            n = len(v)
            print(f"  {nome:24s} p50 {v[n // 2] / 1000:6.3f}  p90 {v[n * 9 // 10] / 1000:6.3f}  "
                  f"p99 {v[n * 99 // 100] / 1000:6.3f} ms")
    todas = sorted(lat for c, lat, t0 in teclas)
    n = len(todas)
    print(f"key to screen: p50 {todas[n // 2] / 1000:.2f}  p90 {todas[n * 9 // 10] / 1000:.2f}  "
          f"p99 {todas[n * 99 // 100] / 1000:.2f} ms")
    for c, lat, t0, janela in lentas:
        print(f"\nkey {c!r}: {lat / 1000:.2f} ms")
        for t, lado, tipo, quem in janela:
            print(f"  {(t - t0) / 1000:8.2f} {lado} {TIPOS.get(tipo, tipo)} {quem}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

"use strict";
// The play of a book's page: each puzzle element gets its cells, its history
// and its place in the browser's storage. The page is the book's output and
// carries everything; this script fetches nothing.
(() => {
  const livro = JSON.parse(document.getElementById("dados-livro").textContent);
  const textos = livro.textos;
  const armazem = abrirArmazem();
  const direcoes = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0] };

  function abrirArmazem() {
    // A browser may refuse storage to a file opened from the disk: the page
    // still plays, it only forgets on reload.
    try {
      const s = window.localStorage;
      s.setItem("quorvel:ensaio", "1");
      s.removeItem("quorvel:ensaio");
      return s;
    } catch (e) {
      return null;
    }
  }

  const vazia = () => ({ v: "", n: [] });

  class Puzzle {
    constructor(elemento, dados) {
      this.el = elemento;
      this.k = Number(elemento.dataset.puzzle);
      this.n = dados.n;
      this.solucao = dados.s;
      this.caixa = dados.c;
      this.passos = dados.p;
      this.chave = `quorvel:${livro.livro}:${this.k}`;
      // Two books may share a code (the same seed with other options): the
      // givens tell their progress apart.
      this.impressao = dados.d.join(",");
      this.celulas = new Map();
      this.indices = new Map();
      for (const input of elemento.querySelectorAll("input[data-celula]")) {
        const [, l, c] = input.dataset.celula.match(/^L(\d+)C(\d+)$/);
        const celula = (Number(l) - 1) * this.n + (Number(c) - 1);
        this.celulas.set(celula, input);
        this.indices.set(input, celula);
      }
      this.marcas = new Map();
      for (const m of elemento.querySelectorAll(".marcas [data-numero]")) this.marcas.set(Number(m.dataset.numero), m);
      this.botoes = {};
      for (const b of elemento.querySelectorAll("button[data-acao]")) this.botoes[b.dataset.acao] = b;
      this.pista = elemento.querySelector("[data-pista]");
      this.estado = elemento.querySelector(".estado");
      this.ligacao = document.querySelector(`a[data-indice="${this.k}"]`);

      this.valores = new Map();
      this.notas = new Map();
      this.revelado = false;
      this.historia = [];
      this.feitos = 0; // the entries of historia before this one are done
      this.aberta = null; // the cell whose typing still adds to the last entry
      this.pendente = null; // digits typed in pencil mode that may still grow
      this.lapis = false;
      this.destaque = null;

      this.carregar();
      for (const c of this.celulas.keys()) this.mostrar(c);
      this.depois(null);
      this.ligar();
    }

    celula(c) {
      return { v: this.valores.get(c) || "", n: this.notas.get(c) || [] };
    }

    certa(c) {
      return Number(this.valores.get(c)) === this.solucao[c];
    }

    resolvido() {
      for (const c of this.celulas.keys()) if (!this.certa(c)) return false;
      return true;
    }

    // Sets a cell without a history entry.
    pousar(c, estado) {
      if (estado.v) this.valores.set(c, estado.v);
      else this.valores.delete(c);
      if (estado.n.length) this.notas.set(c, estado.n.slice());
      else this.notas.delete(c);
      this.celulas.get(c).removeAttribute("data-erro");
      this.mostrar(c);
    }

    mostrar(c) {
      const input = this.celulas.get(c);
      const { v, n } = this.celula(c);
      if (input.value !== v) input.value = v;
      input.nextElementSibling.textContent = v ? "" : n.join(" ");
    }

    // One step the user can undo: AMudancas is a list of [cell, new state].
    // Typing into one cell grows one entry, so that a two-digit number is
    // undone at once.
    mudar(mudancas, { agrupar = null, revelado = this.revelado } = {}) {
      const topo = this.historia[this.feitos - 1];
      if (agrupar !== null && this.aberta === agrupar && topo && this.feitos === this.historia.length &&
          topo.m.length === 1 && topo.m[0].c === agrupar) {
        topo.m[0].d = mudancas[0][1];
      } else {
        this.historia.length = this.feitos;
        this.historia.push({
          m: mudancas.map(([c, d]) => ({ c, a: this.celula(c), d })),
          ra: this.revelado,
          rd: revelado,
        });
        this.feitos = this.historia.length;
      }
      this.aberta = agrupar;
      for (const [c, d] of mudancas) this.pousar(c, d);
      this.revelado = revelado;
      this.depois(mudancas.length === 1 ? mudancas[0][0] : null);
    }

    desfazer() {
      this.fecharPendente();
      if (this.feitos === 0) return;
      const entrada = this.historia[--this.feitos];
      for (const m of entrada.m.slice().reverse()) this.pousar(m.c, m.a);
      this.revelado = entrada.ra;
      this.aberta = null;
      this.depois(null);
    }

    refazer() {
      this.fecharPendente();
      if (this.feitos === this.historia.length) return;
      const entrada = this.historia[this.feitos++];
      for (const m of entrada.m) this.pousar(m.c, m.d);
      this.revelado = entrada.rd;
      this.aberta = null;
      this.depois(null);
    }

    // After every change: storage, the box, the marks of each cell, the state.
    depois(mudada) {
      this.guardar();
      const contagem = new Map();
      for (const v of this.valores.values()) contagem.set(Number(v), (contagem.get(Number(v)) || 0) + 1);
      for (const [numero, marca] of this.marcas) marca.classList.toggle("usado", contagem.has(numero));
      let aviso = "";
      for (const [c, input] of this.celulas) {
        const v = this.valores.get(c);
        const fora = !!v && !this.caixa.includes(Number(v));
        const repetido = !!v && !fora && contagem.get(Number(v)) > 1;
        input.toggleAttribute("data-invalido", fora);
        input.toggleAttribute("data-repetido", repetido);
        if (fora || repetido) input.setAttribute("aria-invalid", "true");
        else input.removeAttribute("aria-invalid");
        if (c === mudada && fora) aviso = textos.foraDaCaixa;
        else if (c === mudada && repetido) aviso = textos.repetido;
      }
      if (this.destaque !== null && this.certa(this.destaque)) this.tirarDestaque();

      const resolvido = this.resolvido();
      if (resolvido) {
        this.el.dataset.estado = this.revelado ? "revelado" : "resolvido";
        this.avisar(this.revelado ? textos.revelado : textos.resolvido);
      } else {
        delete this.el.dataset.estado;
        this.avisar(aviso, !!aviso);
      }
      if (this.ligacao) this.ligacao.classList.toggle("resolvido", resolvido && !this.revelado);
      this.botoes.desfazer.disabled = this.feitos === 0;
      this.botoes.refazer.disabled = this.feitos === this.historia.length;
    }

    avisar(texto, aviso = false) {
      this.estado.textContent = texto;
      this.estado.toggleAttribute("data-aviso", aviso);
    }

    guardar() {
      if (!armazem) return;
      try {
        if (this.valores.size === 0 && this.notas.size === 0 && !this.revelado) {
          armazem.removeItem(this.chave);
          return;
        }
        armazem.setItem(this.chave, JSON.stringify({
          g: this.impressao,
          v: Object.fromEntries(this.valores),
          n: Object.fromEntries(this.notas),
          r: this.revelado,
        }));
      } catch (e) {
        // A full storage loses the progress, never the game.
      }
    }

    carregar() {
      if (!armazem) return;
      let guardado = null;
      try {
        guardado = JSON.parse(armazem.getItem(this.chave));
      } catch (e) {
        return;
      }
      if (!guardado || guardado.g !== this.impressao) return;
      for (const [c, v] of Object.entries(guardado.v || {}))
        if (this.celulas.has(Number(c)) && /^\d{1,2}$/.test(v)) this.valores.set(Number(c), v);
      for (const [c, n] of Object.entries(guardado.n || {}))
        if (this.celulas.has(Number(c)) && Array.isArray(n)) this.notas.set(Number(c), n.filter(Number.isInteger));
      this.revelado = guardado.r === true;
    }

    // Pencil mode: digits gather until they can only be one number of the
    // box, which then goes in or out of the cell's notes.
    lapisDigitos(c, digitos) {
      const input = this.celulas.get(c);
      const comecados = (texto) => this.caixa.filter((x) => String(x).startsWith(texto));
      for (const digito of digitos.replace(/\D/g, "")) {
        const antes = this.pendente && this.pendente.c === c ? this.pendente.texto : "";
        let texto = antes + digito;
        // "7" then "3" with 7 and 75 in the box but no 73: the 7 was meant.
        if (antes && comecados(texto).length === 0 && this.caixa.includes(Number(antes))) {
          this.pendente = null;
          this.alternarNota(c, Number(antes));
          texto = digito;
        }
        const possiveis = comecados(texto);
        if (possiveis.length === 0) {
          this.pendente = null;
          this.avisar(textos.foraDaCaixa, true);
        } else if (possiveis.length === 1 && String(possiveis[0]) === texto) {
          this.pendente = null;
          this.alternarNota(c, possiveis[0]);
        } else {
          this.pendente = { c, texto };
        }
      }
      input.value = this.pendente ? this.pendente.texto : this.celula(c).v;
    }

    fecharPendente() {
      if (!this.pendente) return;
      const { c, texto } = this.pendente;
      this.pendente = null;
      if (this.caixa.includes(Number(texto))) this.alternarNota(c, Number(texto));
      else this.mostrar(c);
    }

    alternarNota(c, numero) {
      const { n } = this.celula(c);
      const notas = n.includes(numero) ? n.filter((x) => x !== numero) : [...n, numero].sort((a, b) => a - b);
      this.mudar([[c, { v: "", n: notas }]]);
    }

    mover(input, [dl, dc]) {
      const c = this.indices.get(input);
      let l = Math.floor(c / this.n) + dl;
      let col = (c % this.n) + dc;
      while (l >= 0 && l < this.n && col >= 0 && col < this.n) {
        const destino = this.celulas.get(l * this.n + col);
        if (destino) {
          destino.focus();
          return;
        }
        l += dl;
        col += dc;
      }
    }

    tirarDestaque() {
      if (this.destaque === null) return;
      this.celulas.get(this.destaque).parentElement.removeAttribute("data-destaque");
      this.destaque = null;
    }

    // The book's own path: the first step whose cell is not yet right.
    mostrarPista() {
      this.fecharPendente();
      this.tirarDestaque();
      const passo = this.passos.find(([c]) => this.celulas.has(c) && !this.certa(c));
      let celula = passo ? passo[0] : null;
      if (passo) {
        this.pista.textContent = passo[1];
      } else if (this.resolvido()) {
        this.pista.textContent = textos.resolvido;
      } else {
        this.pista.textContent = textos.eliminacao;
        celula = [...this.celulas.keys()].find((c) => !this.certa(c));
      }
      if (celula !== null && celula !== undefined) {
        this.destaque = celula;
        this.celulas.get(celula).parentElement.setAttribute("data-destaque", "");
      }
    }

    verificar() {
      this.fecharPendente();
      let erradas = 0;
      for (const [c, input] of this.celulas) {
        const errada = this.valores.has(c) && !this.certa(c);
        input.toggleAttribute("data-erro", errada);
        if (errada) erradas++;
      }
      if (this.resolvido()) return;
      if (erradas === 0) this.avisar(textos.semErros);
      else this.avisar((erradas === 1 ? textos.erro : textos.erros).replace("{}", erradas), true);
    }

    tudo(estado) {
      return [...this.celulas.keys()].map((c) => [c, estado(c)]);
    }

    accao(nome) {
      switch (nome) {
        case "lapis":
          this.fecharPendente();
          this.lapis = !this.lapis;
          this.botoes.lapis.setAttribute("aria-pressed", String(this.lapis));
          this.el.toggleAttribute("data-lapis", this.lapis);
          break;
        case "desfazer": this.desfazer(); break;
        case "refazer": this.refazer(); break;
        case "verificar": this.verificar(); break;
        case "pista": this.mostrarPista(); break;
        case "solucao":
          this.fecharPendente();
          if (window.confirm(textos.confirmarSolucao))
            this.mudar(this.tudo((c) => ({ v: String(this.solucao[c]), n: [] })), { revelado: true });
          break;
        case "recomecar":
          this.fecharPendente();
          if (window.confirm(textos.confirmarRecomecar)) {
            this.mudar(this.tudo(vazia), { revelado: false });
            this.pista.textContent = "";
            this.tirarDestaque();
          }
          break;
      }
    }

    ligar() {
      const el = this.el;
      el.addEventListener("click", (e) => {
        const botao = e.target.closest("button[data-acao]");
        if (botao) this.accao(botao.dataset.acao);
      });
      el.addEventListener("focusin", (e) => {
        const c = this.indices.get(e.target);
        if (c === undefined) return;
        if (this.pendente && this.pendente.c !== c) this.fecharPendente();
        if (this.aberta !== c) this.aberta = null;
        // The grid keeps one stop in the tab order: the cell last visited.
        for (const input of this.celulas.values()) input.tabIndex = input === e.target ? 0 : -1;
        e.target.select();
      });
      el.addEventListener("focusout", (e) => {
        if (!this.indices.has(e.target)) return;
        this.fecharPendente();
        this.aberta = null;
      });
      el.addEventListener("beforeinput", (e) => {
        const c = this.indices.get(e.target);
        if (c === undefined) return;
        const apagar = e.inputType.startsWith("delete");
        if (this.lapis) {
          e.preventDefault();
          if (apagar) {
            if (this.pendente) this.fecharPendenteSem();
            else this.mudar([[c, vazia()]]);
          } else {
            this.lapisDigitos(c, e.data || "");
          }
        } else if (apagar && !e.target.value && this.notas.has(c)) {
          this.mudar([[c, vazia()]]);
        }
      });
      el.addEventListener("input", (e) => {
        const c = this.indices.get(e.target);
        if (c === undefined) return;
        // What the field holds in pencil mode is what beforeinput could not
        // stop, as some phone keyboards compose: taken as digits typed anew.
        if (this.lapis) {
          this.pendente = null;
          this.lapisDigitos(c, e.target.value);
          return;
        }
        const texto = e.target.value.replace(/\D/g, "").slice(0, 2);
        if (texto !== e.target.value) e.target.value = texto;
        if (texto !== this.celula(c).v) this.mudar([[c, { v: texto, n: this.celula(c).n }]], { agrupar: c });
      });
      el.addEventListener("keydown", (e) => {
        const tecla = e.key;
        if ((e.ctrlKey || e.metaKey) && !e.altKey) {
          const z = tecla.toLowerCase() === "z";
          if (z && !e.shiftKey) {
            e.preventDefault();
            this.desfazer();
          } else if ((z && e.shiftKey) || tecla.toLowerCase() === "y") {
            e.preventDefault();
            this.refazer();
          }
          return;
        }
        const c = this.indices.get(e.target);
        if (c === undefined) return;
        if (direcoes[tecla] && !e.altKey && !e.shiftKey) {
          e.preventDefault();
          this.fecharPendente();
          this.mover(e.target, direcoes[tecla]);
        } else if (tecla === "Enter") {
          e.preventDefault();
          this.fecharPendente();
        }
      });
    }

    fecharPendenteSem() {
      const { c } = this.pendente;
      this.pendente = null;
      this.mostrar(c);
    }
  }

  for (const el of document.querySelectorAll("section[data-puzzle]"))
    new Puzzle(el, livro.puzzles[Number(el.dataset.puzzle) - 1]);
})();

#!/usr/bin/env python3
"""The book's page played in a headless Chromium, as a reader plays it.

A small book is written with --html and --json: the JSON is the book's own
word on the solutions and the deduction path the page must follow. Exits 77
(skipped) only when Chromium or its driver is not installed.

Usage: pagina_test.py QUORVEL_CLI
"""
import json
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
SALTADO = 77

CLI = None
PASTA = None
LIVRO = None  # the book's JSON
PAGINA = None  # its page, as a file: URL


def escrever_livro():
    global PASTA, LIVRO, PAGINA
    PASTA = Path(tempfile.mkdtemp(prefix="quorvel_html_"))
    subprocess.run([CLI, "--puzzles", "6", "--nivel", "2", "--semente", "0000002A", "--silencioso",
                    "-o", str(PASTA / "livro.pdf"), "--json", str(PASTA / "livro.json"),
                    "--html", str(PASTA / "livro.html")], check=True, stdout=subprocess.DEVNULL)
    LIVRO = json.loads((PASTA / "livro.json").read_text(encoding="utf-8"))
    PAGINA = (PASTA / "livro.html").as_uri()


def abrir_chromium(largura=1000, altura=900):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    opcoes = webdriver.ChromeOptions()
    opcoes.binary_location = CHROMIUM
    # Root needs --no-sandbox; the machine may have no network, and without
    # the last four Chromium keeps trying to reach it.
    for argumento in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                      "--disable-background-networking", "--disable-component-update", "--disable-sync",
                      "--user-data-dir=" + tempfile.mkdtemp(dir=PASTA), f"--window-size={largura},{altura}"]:
        opcoes.add_argument(argumento)
    opcoes.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=opcoes)


def nome_celula(n, celula):
    return f"L{celula // n + 1}C{celula % n + 1}"


class Pagina(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.d = abrir_chromium()

    @classmethod
    def tearDownClass(cls):
        cls.d.quit()

    def setUp(self):
        self.d.get(PAGINA)
        self.d.execute_script("localStorage.clear()")
        self.d.refresh()

    def tearDown(self):
        erros = [e for e in self.d.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(erros, [], "erros na consola do navegador")

    def puzzle(self, k):
        return self.d.find_element("css selector", f'[data-puzzle="{k}"]')

    def celula(self, k, celula):
        n = LIVRO["puzzles"][k - 1]["n"]
        return self.puzzle(k).find_element("css selector", f'input[data-celula="{nome_celula(n, celula)}"]')

    def escrever(self, k, celula, texto):
        campo = self.celula(k, celula)
        campo.click()
        campo.send_keys(texto)

    def carregar(self, k, accao):
        self.puzzle(k).find_element("css selector", f'button[data-acao="{accao}"]').click()

    def vazias(self, k):
        return [i for i, v in enumerate(LIVRO["puzzles"][k - 1]["dados"]) if v == 0]

    def test_os_campos_sao_as_celulas_vazias(self):
        for k, p in enumerate(LIVRO["puzzles"], 1):
            campos = self.puzzle(k).find_elements("css selector", "input[data-celula]")
            self.assertEqual([c.get_attribute("data-celula") for c in campos],
                             [nome_celula(p["n"], i) for i in self.vazias(k)])
            for campo in campos:
                self.assertTrue(campo.get_attribute("aria-label"))
                self.assertEqual(campo.get_attribute("inputmode"), "numeric")

    def test_escrever_a_solucao_resolve_o_puzzle(self):
        p = LIVRO["puzzles"][0]
        vazias = self.vazias(1)
        for i in vazias[:-1]:
            self.escrever(1, i, str(p["solucao"][i]))
        self.assertIsNone(self.puzzle(1).get_attribute("data-estado"))
        self.escrever(1, vazias[-1], str(p["solucao"][vazias[-1]]))
        self.assertEqual(self.puzzle(1).get_attribute("data-estado"), "resolvido")
        self.assertEqual(self.puzzle(1).find_element("css selector", ".estado").text, "Resolvido!")
        self.assertIn("resolvido", self.d.find_element("css selector", 'a[data-indice="1"]').get_attribute("class"))
        # Every number of the box is struck once it is placed.
        marcas = self.puzzle(1).find_elements("css selector", ".marcas [data-numero]")
        self.assertEqual(len(marcas), len(vazias))
        self.assertTrue(all("usado" in m.get_attribute("class") for m in marcas))

    def test_verificar_marca_so_os_numeros_errados(self):
        p = LIVRO["puzzles"][1]
        certa, errada = self.vazias(2)[:2]
        self.escrever(2, certa, str(p["solucao"][certa]))
        # A number of the box, in the wrong cell.
        self.escrever(2, errada, str(p["solucao"][certa]))
        self.assertIsNone(self.celula(2, errada).get_attribute("data-erro"))
        self.carregar(2, "verificar")
        self.assertIsNotNone(self.celula(2, errada).get_attribute("data-erro"))
        self.assertIsNone(self.celula(2, certa).get_attribute("data-erro"))
        # Put right, the cell loses its mark.
        self.celula(2, errada).send_keys("\b\b" + str(p["solucao"][errada]))
        self.carregar(2, "verificar")
        self.assertIsNone(self.celula(2, errada).get_attribute("data-erro"))

    def test_pista_da_o_primeiro_passo_do_livro_cuja_celula_esta_vazia(self):
        p = LIVRO["puzzles"][2]
        colocacoes = [s for s in p["resultado"]["passos"] if s["celula"] >= 0]
        self.carregar(3, "pista")
        pista = self.puzzle(3).find_element("css selector", "[data-pista]")
        self.assertEqual(pista.text, colocacoes[0]["texto"])
        # Once the first step's cell is filled, the hint moves on to the next.
        self.escrever(3, colocacoes[0]["celula"], str(colocacoes[0]["valor"]))
        self.carregar(3, "pista")
        self.assertEqual(pista.text, colocacoes[1]["texto"])
        destacada = self.puzzle(3).find_elements("css selector", "[data-destaque] input")
        self.assertEqual([c.get_attribute("data-celula") for c in destacada],
                         [nome_celula(p["n"], colocacoes[1]["celula"])])

    def test_recarregar_guarda_os_numeros_escritos(self):
        p = LIVRO["puzzles"][3]
        a, b = self.vazias(4)[:2]
        self.escrever(4, a, str(p["solucao"][a]))
        self.carregar(4, "lapis")
        self.escrever(4, b, str(p["solucao"][b]))
        self.escrever(4, b, str(p["solucao"][a]))
        self.d.refresh()
        self.assertEqual(self.celula(4, a).get_attribute("value"), str(p["solucao"][a]))
        notas = self.celula(4, b).find_element("xpath", "following-sibling::*[@class='notas']")
        self.assertEqual(notas.text, " ".join(str(x) for x in sorted([p["solucao"][a], p["solucao"][b]])))
        # Another puzzle of the page keeps nothing of it.
        self.assertEqual(self.celula(5, self.vazias(5)[0]).get_attribute("value"), "")

    def test_desfazer_um_numero_de_dois_algarismos_de_uma_vez(self):
        p = LIVRO["puzzles"][4]
        a = self.vazias(5)[0]
        valor = str(p["solucao"][a])
        self.escrever(5, a, valor)
        self.carregar(5, "desfazer")
        self.assertEqual(self.celula(5, a).get_attribute("value"), "")
        self.carregar(5, "refazer")
        self.assertEqual(self.celula(5, a).get_attribute("value"), valor)

    def test_solucao_depois_de_confirmar(self):
        p = LIVRO["puzzles"][5]
        self.carregar(6, "solucao")
        self.d.switch_to.alert.dismiss()
        self.assertEqual(self.celula(6, self.vazias(6)[0]).get_attribute("value"), "")
        self.carregar(6, "solucao")
        self.d.switch_to.alert.accept()
        for i in self.vazias(6):
            self.assertEqual(self.celula(6, i).get_attribute("value"), str(p["solucao"][i]))
        self.assertEqual(self.puzzle(6).get_attribute("data-estado"), "revelado")

    def test_indice_leva_a_cada_puzzle(self):
        ultimo = len(LIVRO["puzzles"])
        self.d.find_element("css selector", f'a[data-indice="{ultimo}"]').click()
        topo, altura = self.d.execute_script(
            "return [arguments[0].getBoundingClientRect().top, window.innerHeight]", self.puzzle(ultimo))
        self.assertGreaterEqual(topo, 0)
        self.assertLess(topo, altura / 2)

    def test_setas_andam_entre_celulas_e_tab_sai_da_grelha(self):
        from selenium.webdriver.common.keys import Keys

        p = LIVRO["puzzles"][0]
        n = p["n"]
        vazias = self.vazias(1)
        self.celula(1, vazias[0]).click()
        activa = lambda: self.d.switch_to.active_element
        # Right goes to the next empty cell of the row, past the givens.
        linha = [i for i in vazias if i // n == vazias[0] // n]
        if len(linha) > 1:
            activa().send_keys(Keys.ARROW_RIGHT)
            self.assertEqual(activa().get_attribute("data-celula"), nome_celula(n, linha[1]))
            activa().send_keys(Keys.ARROW_LEFT)
        abaixo = [i for i in vazias if i % n == vazias[0] % n and i > vazias[0]]
        if abaixo:
            activa().send_keys(Keys.ARROW_DOWN)
            self.assertEqual(activa().get_attribute("data-celula"), nome_celula(n, abaixo[0]))
        # The grid is one stop of the tab order: Tab leaves it for the buttons.
        activa().send_keys(Keys.TAB)
        self.assertEqual(activa().get_attribute("data-acao"), "lapis")
        activa().send_keys(Keys.SHIFT, Keys.TAB)
        self.assertIsNotNone(activa().get_attribute("data-celula"))


class Telemovel(unittest.TestCase):
    def test_sem_deslocamento_horizontal_a_390_px(self):
        d = abrir_chromium(390, 844)
        try:
            d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                              {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
            d.get(PAGINA)
            d.execute_script("document.querySelector('details.regras').open = true")
            largura, visivel = d.execute_script(
                "return [document.documentElement.scrollWidth, document.documentElement.clientWidth]")
            self.assertLessEqual(largura, visivel)
            self.assertEqual(visivel, 390)
            # A cell of the 5 × 5 grid is big enough for a finger.
            campo = d.find_element("css selector", "input[data-celula]")
            self.assertGreaterEqual(campo.size["width"], 40)
            self.assertEqual([e for e in d.get_log("browser") if e["level"] == "SEVERE"], [])
        finally:
            d.quit()


def main():
    global CLI
    CLI = sys.argv[1]
    if not (Path(CHROMIUM).exists() and Path(CHROMEDRIVER).exists()):
        print("Chromium ou o chromedriver não estão instalados: testes do navegador saltados.")
        return SALTADO
    escrever_livro()
    try:
        programa = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2)
    finally:
        shutil.rmtree(PASTA, ignore_errors=True)
    return 0 if programa.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())

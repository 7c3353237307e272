// "RelLayoutsM": the text form of the layout printout, for dot-matrix printers: a title block, the
// type's documentation and legend, then one row per field (name, description, kind, size, start),
// with continuation lines for long names and descriptions and a footer at each page's end. The
// file is written through the run's own text file, shown in the text viewer (which prints it on
// demand) and deleted.
#include <algorithm>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_printout.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::integration {

namespace {

constexpr std::size_t kLargura = 80;

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

std::string Codigo(const std::string& s) { return std::string(text::clip(s)); }

std::string Centro(const std::string& texto, std::size_t largura) {
    const std::string t(text::trim(texto));
    if (t.size() >= largura) return t.substr(0, largura);
    const std::size_t antes = (largura - t.size()) / 2;  // an odd blank goes to the right
    return std::string(antes, ' ') + t + std::string(largura - t.size() - antes, ' ');
}

// A number right-aligned in `largura` columns; one too wide shows as asterisks.
std::string Direita(int valor, std::size_t largura) {
    std::string n = std::to_string(valor);
    if (n.size() > largura) return std::string(largura, '*');
    return std::string(largura - n.size(), ' ') + n;
}

std::string Pedaco(const std::string& s, std::size_t de, std::size_t n) {
    std::string out = de < s.size() ? s.substr(de, n) : std::string();
    out.resize(n, ' ');
    return out;
}

class Escritor {
public:
    Escritor(const shell::CodigosImpressoraRec& c, std::vector<std::string>& linhas) : c_(c), linhas_(linhas) {}
    void Linha(std::string l) {
        linhas_.push_back(std::move(l));
        ++contagem_;
    }
    int contagem() const { return contagem_; }
    void ZeraContagem() { contagem_ = 0; }
    void Rodape(bool ultima) {
        ++pagina_;
        linhas_.push_back(std::string(kLargura, '-') + Codigo(c_.CPI17));
        const std::string pagina = (pagina_ < 10 ? "0" : "") + std::to_string(pagina_);
        linhas_.push_back(std::string(125, ' ') + W("Página : ") + pagina);
        linhas_.push_back((ultima ? std::string() : Codigo(c_.CPI10)) + "\f");
    }

private:
    const shell::CodigosImpressoraRec& c_;
    std::vector<std::string>& linhas_;
    int contagem_ = 0;
    int pagina_ = 0;
};

}  // namespace

std::vector<std::string> LinhasRelLayoutsM(const DadosLayout& d, const shell::CodigosImpressoraRec& c) {
    std::vector<std::string> linhas;
    Escritor e(c, linhas);
    const int limite = c.NLINHAS - 2;
    const std::string lneg = Codigo(c.LNEG), dneg = Codigo(c.DNEG), cpi10 = Codigo(c.CPI10);
    if (d.existe) {
        const TextoLayout textos = TextosLayout(d.tipo);
        e.Linha(cpi10 + lneg + Centro(W("Layout de Integração com o Sistema"), kLargura) + dneg);
        e.Linha("");
        e.Linha(cpi10 + lneg + Centro(W(textos.titulo), kLargura) + dneg);
        e.Linha("");
        e.Linha(lneg + W("Descrição do Layout no Sistema : ") + dneg + std::string(text::clip(d.descricao)));
        e.Linha("");
        for (std::size_t i = 0; i < textos.paragrafos.size(); ++i) {
            if (i > 0) e.Linha("");
            const std::string p = W(text::clip(textos.paragrafos[i]));
            for (std::size_t de = 0; de < p.size(); de += kLargura) e.Linha(p.substr(de, kLargura));
        }
        e.Linha("Legenda:");
        e.Linha(W("O arquivo deverá ser gerado no formato TXT (ASCII), o nome do arquivo fica a"));
        e.Linha(W("critério do usuário."));
        e.Linha(lneg + "N" + dneg + W(" - Numérico: Todos os campos numéricos devem ser alinhados a direita e sem "));
        e.Linha("    pontos e virgulas.");
        e.Linha(lneg + "X" + dneg +
                W(" - Alfanumérico: Todos os campos alfanuméricos devem ser alinhados a esquerda."));
        e.Linha("");
        e.Linha(lneg + W("Campo                   Descrição do Campo                          T  Tam  Posi") + dneg);
        e.Linha(std::string(kLargura, '-'));
        for (const CampoImpresso& f : d.campos) {
            const std::string nome = W(NomeCampoImpressao(d.tipo, f.codigo, false));
            const std::string nomeLimpo(text::clip(nome)), desc(text::clip(f.descricao));
            e.Linha(Pedaco(nomeLimpo, 0, 24) + Pedaco(desc, 0, 42) + "  " + Pedaco(f.tipo, 0, 1) + "  " +
                    Direita(f.tamanho, 3) + "  " + Direita(f.posicao, 4));
            for (std::size_t de = 1; nomeLimpo.size() > de * 24 || desc.size() > de * 42; ++de) {
                std::string l = Pedaco(nomeLimpo, de * 24, 24) + Pedaco(desc, de * 42, 42);
                l.resize(text::clip(l).size());
                e.Linha(l);
            }
            if (e.contagem() >= limite) {
                e.Rodape(false);
                e.ZeraContagem();
            }
        }
    }
    do e.Linha(""); while (e.contagem() < limite);
    e.Rodape(true);
    return linhas;
}

DadosLayout LeDadosLayout(int tipo, int codigo) {
    DadosLayout d;
    d.tipo = tipo;
    data::FileManager& lay = data::dictionary::file(dictionary::LayArquivos0());
    data::FileManager& campos = data::dictionary::file(dictionary::LayCampArquivos0());
    if (!lay.open().ok()) return d;
    if (campos.open().ok()) {
        auto& l = lay.rec<dictionary::LayArquivos0Rec>();
        lay.clear_record();
        l.Arquivo = static_cast<std::uint8_t>(tipo);
        l.Codigo = static_cast<std::uint8_t>(codigo);
        const int chave = dictionary::LayArquivos().key_index(dictionary::keys::LAY_Key_Codigo);
        if (lay.get(chave).ok()) {
            d.existe = true;
            d.descricao = std::string(l.Descricao.clipped());
            auto& c = campos.rec<dictionary::LayCampArquivos0Rec>();
            campos.clear_record();
            c.Arquivo = l.Arquivo;
            c.Codigo = l.Codigo;
            const int porCodigo = dictionary::LayCampArquivos().key_index(dictionary::keys::CampArq_Key_Codigo);
            if (campos.set_at(porCodigo).ok())
                while (campos.next().ok() && c.Arquivo == tipo && c.Codigo == codigo)
                    d.campos.push_back({c.CodigoCampo, std::string(c.DescCampo.clipped()), std::string(c.Tipo.clipped()),
                                        c.Tamanho, c.Posicao});
        }
        (void)campos.close();
    }
    (void)lay.close();
    return d;
}

void RelLayoutsM(ui::ProcContext& ctx, int tipo, int codigo) {
    shell::ArquivoTexto arquivo(shell::CodigosImpressora.Get());
    if (report::Outcome o = arquivo.AbreTemporario(); !o.ok()) {
        ui::Message(o.error, "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    for (const std::string& linha : LinhasRelLayoutsM(LeDadosLayout(tipo, codigo), arquivo.codigos())) {
        if (report::Outcome o = arquivo.GravaLinhaTexto(linha); !o.ok()) {
            ui::Message(o.error, "Atenção!!!", ui::Icon::Exclamation);
            arquivo.Apaga();
            return;
        }
    }
    (void)shell::EncerraRelatorioTexto(ctx, arquivo, "RelLayoutsM.txt");
}

}  // namespace vorel::integration

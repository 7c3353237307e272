// Reports of the invalid state registrations: "RelErroForCli" and "RelErroForCliNF" (pages, A4
// portrait), "RelErroForCliM" and "RelErroForCliNFM" (text, 136 columns, straight to the printer's
// port). Read `ForCli` by name, every record, and `Empresa` (the working company); the "NF" forms
// also read the working year's `EntradaVorel`, `SaidaVorel`, `EntradaVeiculo` and `SaidaVeiculo` by
// CNPJ and `Produtos` by code. Nothing is written but the text report's own temporary file.
#include <functional>
#include <optional>

#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/movements/audit_reports.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/inscricao_estadual.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_report_run.h"
#include "vorel/ui/runtime.h"

namespace vorel::movements {

namespace {

namespace keys = dictionary::keys;
using fiscal::estilo::Fonte;
using fiscal::estilo::W;
using report::Align;
using report::BandPainter;

constexpr const char* kTitulo = "Relatório de Clientes/Fornecedores com Insc. Estadual Inválida";
constexpr const char* kPadraoCnpj = "@p##.###.###/####-##p";

// An invoice item listed under its customer or supplier.
struct ItemNota {
    std::string serie;
    std::uint32_t numero = 0;
    date::Day data = 0;
    Decimal produto, quantidade, base;
    std::string descricao;  // the first 30 characters of the product's description, blank when none
};
struct Secao {
    const char* titulo;  // UTF-8
    std::vector<ItemNota> itens;
};
// A customer or supplier whose registration is refused, with its sections (the "NF" forms).
struct Invalido {
    std::uint32_t codigo = 0;
    std::string nome, cgc, inscricao;
    std::vector<Secao> secoes;
};

// One movement table's items of a CNPJ, by the table's CNPJ key.
struct FonteSecao {
    const char* titulo;
    const data::TableDesc& (*tabela)();
    data::KeyName chave;
    std::function<std::string_view(data::FileManager&)> cnpj;
    std::function<void(data::FileManager&, const std::string&)> posiciona;
    std::function<ItemNota(data::FileManager&)> item;
};

const std::vector<FonteSecao>& Fontes() {
    using dictionary::EntradaVeiculoRec;
    using dictionary::EntradaVorelRec;
    using dictionary::SaidaVeiculoRec;
    using dictionary::SaidaVorelRec;
    static const std::vector<FonteSecao> fontes = {
        {"Entradas por NF", dictionary::EntradaVorel, keys::ENT_KEY_CNPJ,
         [](data::FileManager& f) { return std::string_view(f.rec<EntradaVorelRec>().Cnpj.value()); },
         [](data::FileManager& f, const std::string& c) { f.rec<EntradaVorelRec>().Cnpj = c; },
         [](data::FileManager& f) {
             const auto& r = f.rec<EntradaVorelRec>();
             return ItemNota{std::string(r.Serie.value()), r.Numero, r.DataEmissao, r.CodMercadoria, r.Quantidade, r.BaseICMS, {}};
         }},
        {"Saídas por NF", dictionary::SaidaVorel, keys::SAI_KEY_CNPJ,
         [](data::FileManager& f) { return std::string_view(f.rec<SaidaVorelRec>().CNPJ.value()); },
         [](data::FileManager& f, const std::string& c) { f.rec<SaidaVorelRec>().CNPJ = c; },
         [](data::FileManager& f) {
             const auto& r = f.rec<SaidaVorelRec>();
             return ItemNota{std::string(r.Serie.value()), r.Numero, r.DataSaida, r.CodMercadoria, r.Quantidade, r.BaseCalculo, {}};
         }},
        {"Entradas de Veículos", dictionary::EntradaVeiculo, keys::ENV_KEY_CNPJ,
         [](data::FileManager& f) { return std::string_view(f.rec<EntradaVeiculoRec>().CNPJforcli.value()); },
         [](data::FileManager& f, const std::string& c) { f.rec<EntradaVeiculoRec>().CNPJforcli = c; },
         [](data::FileManager& f) {
             const auto& r = f.rec<EntradaVeiculoRec>();
             return ItemNota{std::string(r.Serie.value()), r.Numero, r.DataEntrada, r.CodProduto, r.Quantidade, r.BaseCalcRetencao, {}};
         }},
        {"Saídas de Veículos", dictionary::SaidaVeiculo, keys::SAV_KEY_CNPJ,
         [](data::FileManager& f) { return std::string_view(f.rec<SaidaVeiculoRec>().CNPJforcli.value()); },
         [](data::FileManager& f, const std::string& c) { f.rec<SaidaVeiculoRec>().CNPJforcli = c; },
         [](data::FileManager& f) {
             const auto& r = f.rec<SaidaVeiculoRec>();
             return ItemNota{std::string(r.Serie.value()), r.Numero, r.DataSaida, r.CodProduto, r.Quantidade, r.BaseSaidaConsFinal, {}};
         }},
    };
    return fontes;
}

// The selection both forms share: `ForCli` by name, the registration tested, the sections read.
class Selecao {
public:
    explicit Selecao(bool porNota) : porNota_(porNota), forcli_(dictionary::ForCli()), produtos_(dictionary::Produtos()) {
        if (porNota_)
            for (const FonteSecao& f : Fontes()) movimentos_.push_back(std::make_unique<data::FileManager>(f.tabela()));
    }
    ~Selecao() {
        for (data::FileManager* f : abertos_) (void)f->close();
    }

    // Opens the tables; false when `ForCli` cannot be read.
    bool Abre() {
        data::AbreArquivo(forcli_, 1, 0, 0, 1);
        if (!forcli_.is_open()) return false;
        abertos_.push_back(&forcli_);
        if (porNota_) {
            for (auto& m : movimentos_)
                if (m->open().ok()) abertos_.push_back(m.get());
            if (produtos_.open().ok()) abertos_.push_back(&produtos_);
        }
        forcli_.clear_record();
        if (!forcli_.set(keys::FOR_KEY_NOME).ok()) data::AvisoPadraoSemTexto(36);
        total_ = static_cast<std::size_t>(std::max<std::int64_t>(0, forcli_.records()));
        return true;
    }
    std::size_t total() const { return total_; }

    // The next customer or supplier; false at the end (a read error shows warning 35 first).
    bool Proximo() {
        if (!forcli_.is_open()) return false;
        data::Result r = forcli_.next();
        if (r.ok()) return true;
        if (r != data::kRecordNotAvailable) data::AvisoPadraoComTexto(35, "ForCli");
        return false;
    }

    // The current one when its registration is refused.
    std::optional<Invalido> Testa() {
        const auto& f = forcli_.rec<dictionary::ForCliRec>();
        if ((shell::ConsisteInscricaoEstadual(f.InscricaoEstadual.value(), f.Estado.value()) & 0xFF) == 0) return std::nullopt;
        Invalido inv{f.Codigo, std::string(f.Nome.value()), std::string(f.CGC.value()), std::string(f.InscricaoEstadual.value()), {}};
        if (!porNota_ || f.CGC.value() == std::string_view("00000000000000")) return inv;
        for (std::size_t i = 0; i < Fontes().size(); ++i) {
            const FonteSecao& fonte = Fontes()[i];
            data::FileManager& m = *movimentos_[i];
            Secao s{fonte.titulo, {}};
            if (m.is_open()) {
                m.clear_record();
                fonte.posiciona(m, inv.cgc);
                if (m.set_at(fonte.chave).ok())
                    while (m.next().ok() && text::clip(fonte.cnpj(m)) == text::clip(inv.cgc)) {
                        ItemNota item = fonte.item(m);
                        item.descricao = Descricao(item.produto);
                        s.itens.push_back(std::move(item));
                    }
            }
            inv.secoes.push_back(std::move(s));
        }
        return inv;
    }

private:
    std::string Descricao(const Decimal& codigo) {
        if (!produtos_.is_open()) return {};
        auto& p = produtos_.rec<dictionary::ProdutosRec>();
        produtos_.clear_record();
        p.Codigo = codigo;
        if (!produtos_.get(keys::PRO_KEY_CODIGO).ok()) return {};
        return text::left(p.Produtos.value(), 30);
    }

    bool porNota_;
    data::FileManager forcli_, produtos_;
    std::vector<std::unique_ptr<data::FileManager>> movimentos_;
    std::vector<data::FileManager*> abertos_;
    std::size_t total_ = 0;
};

// ---- the page form ----

constexpr report::Mils kLargura = 7480;

report::ReportSetup Pagina() {
    report::ReportSetup s;
    s.paper = report::Paper::a4();
    s.left = fiscal::estilo::Mm(10);
    s.form_top = fiscal::estilo::Mm(10);
    s.header_top = fiscal::estilo::Mm(10);
    s.detail_top = fiscal::estilo::Mm(10) + 1150;
    s.footer_top = fiscal::estilo::Mm(280) - 300;
    s.detail_height = s.footer_top - s.detail_top;
    return s;
}

class RelatorioPaginas {
public:
    RelatorioPaginas(std::uint32_t empresa, bool porNota) : porNota_(porNota), selecao_(porNota), relatorio_(Pagina()) {
        empresa_ = fiscal::estilo::LeEmpresa(empresa);
        rodape_ = std::string(text::clip(shell::RodapeRelatorio()));
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        report::RecordLoop loop;
        if (selecao_.Abre()) loop.total = selecao_.total();
        loop.next = [this] { return selecao_.Proximo(); };
        loop.on_record = [this](report::ReportController& r) {
            std::optional<Invalido> inv = selecao_.Testa();
            if (!inv) return;
            r.print(LinhaCliente(*inv));
            for (const Secao& s : inv->secoes) {
                if (s.itens.empty()) continue;
                r.print({200, [t = W(s.titulo)](BandPainter& p) { p.text({200, 20, 2000, 160}, t, Fonte(8, true)); }});
                for (const ItemNota& i : s.itens) r.print(LinhaItem(i));
            }
        };
        return loop;
    }

private:
    static report::Band LinhaCliente(const Invalido& inv) {
        return {180, [c = picture::format("@n6", inv.codigo), n = picture::format("@s40", inv.nome),
                      g = picture::format(kPadraoCnpj, inv.cgc), i = picture::format("@s20", inv.inscricao)](BandPainter& p) {
                    p.text({0, 10, 600, 160}, c, Fonte(8), Align::Right);
                    p.text({700, 10, 3500, 160}, n, Fonte(8));
                    p.text({4300, 10, 1350, 160}, g, Fonte(8));
                    p.text({5700, 10, 1780, 160}, i, Fonte(8));
                }};
    }

    static report::Band LinhaItem(const ItemNota& i) {
        return {170, [s = picture::format("@s2", i.serie), nf = picture::format("@n13", i.numero),
                      d = picture::format("@D06b", i.data), c = picture::format("@N-19.", i.produto),
                      desc = picture::format("@s30", i.descricao), q = picture::format("@n-18`3", i.quantidade),
                      b = picture::format("@n-18`2", i.base)](BandPainter& p) {
                    const report::Font f = Fonte(7);
                    p.text({200, 10, 300, 150}, "****", f);
                    p.text({550, 10, 250, 150}, s, f);
                    p.text({800, 10, 800, 150}, nf, f, Align::Right);
                    p.text({1700, 10, 700, 150}, d, f);
                    p.text({2450, 10, 800, 150}, c, f, Align::Right);
                    p.text({3300, 10, 1850, 150}, desc, f);
                    p.text({5200, 10, 1100, 150}, q, f, Align::Right);
                    p.text({6350, 10, 1100, 150}, b, f, Align::Right);
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({1100, [this](BandPainter& p) {
            p.text({0, 0, kLargura, 250}, W(kTitulo), Fonte(11, true), Align::Center);
            p.text({0, 320, 700, 160}, "Empresa :", Fonte(8, true));
            p.text({700, 320, 3000, 160}, picture::format("@s40", empresa_.razao), Fonte(8));
            p.text({3800, 320, 500, 160}, "CNPJ :", Fonte(8, true));
            p.text({4300, 320, 1400, 160}, picture::format(kPadraoCnpj, empresa_.cgc), Fonte(8));
            p.text({6000, 320, 900, 160}, W("Página....:"), Fonte(8, true));
            p.page_text({6900, 320, 580, 160}, "{page}", Fonte(8), Align::Right);
            const report::Font f = Fonte(8, true);
            p.text({0, 600, 600, 160}, W("Código"), f, Align::Right);
            p.text({700, 600, 3500, 160}, "Nome", f);
            p.text({4300, 600, 1350, 160}, "C.N.P.J.", f);
            p.text({5700, 600, 1780, 160}, "Insc. Estadual", f);
            if (porNota_) {
                const report::Font g = Fonte(7, true);
                p.text({200, 800, 300, 150}, "****", g);
                p.text({550, 800, 250, 150}, W("Série"), g);
                p.text({800, 800, 800, 150}, "NF", g, Align::Right);
                p.text({1700, 800, 700, 150}, "Data", g);
                p.text({2450, 800, 2700, 150}, W("Cod. Produto - Descrição"), g);
                p.text({5200, 800, 1100, 150}, "Quantidade", g, Align::Right);
                p.text({6350, 800, 1100, 150}, "Base Calc.", g, Align::Right);
            }
            p.line(0, 1050, kLargura, 1050);
        }});
        relatorio_.set_page_footer({250, [this](BandPainter& p) {
            p.text({0, 20, kLargura, 150}, rodape_, Fonte(7));
            if (porNota_) p.line(0, 200, kLargura, 200);
        }});
    }

    bool porNota_;
    Selecao selecao_;
    fiscal::estilo::Empresa empresa_;
    std::string rodape_;
    report::ReportController relatorio_;
};

// ---- the text form ----

using fiscal::estilo::Centro;

class RelatorioTexto {
public:
    RelatorioTexto(std::uint32_t empresa, bool porNota, const shell::CodigosImpressoraRec& c)
        : porNota_(porNota), cpi10_(text::clip(c.CPI10)), cpi17_(text::clip(c.CPI17)), lneg_(text::clip(c.LNEG)),
          dneg_(text::clip(c.DNEG)) {
        // A printer whose page cannot hold the header, a line and the footer prints 66-line pages.
        const int linhas = c.NLINHAS >= 12 ? c.NLINHAS : 66;
        limite_ = linhas - 2;
        empresa_ = fiscal::estilo::LeEmpresa(empresa);
        rodape_ = std::string(text::clip(shell::RodapeRelatorio()));
    }

    std::vector<std::string> Linhas(const std::function<void(std::size_t, std::size_t)>& progresso) {
        Selecao s(porNota_);
        if (s.Abre()) {
            std::size_t lidos = 0;
            while (s.Proximo()) {
                if (progresso) progresso(++lidos, s.total());
                if (std::optional<Invalido> inv = s.Testa()) Escreve(*inv);
            }
        }
        Rodape();
        return std::move(linhas_);
    }

private:
    void Linha(std::string l) { linhas_.push_back(std::move(l)); }

    void Cabecalho() {
        ++pagina_;
        Linha(cpi17_ + std::string(136, '-'));
        Linha("|" + cpi10_ + Centro(W(kTitulo), 78) + cpi17_ + "|");
        Linha("| Empresa: " + text::pad(text::left(empresa_.razao, 40), 40) + "                 CNPJ: " +
              picture::format(kPadraoCnpj, empresa_.cgc) + "                           " + W("Página: ") +
              picture::format("@n5", pagina_) + "   |");
        Linha(std::string(136, '-'));
        Linha(W("| Código    Nome                                                CNPJ                       Insc. Estadual                              |"));
        if (porNota_)
            Linha(W("|       **** Série     NF Data          Cod. Produto  -  Descrição                              Quantidade             Base de Cálculo |"));
        Linha(std::string(136, '-'));
        contagem_ = porNota_ ? 7 : 6;
    }

    void Rodape() {
        Linha(std::string(136, '='));
        Linha(rodape_);
        Linha("\f");
        contagem_ = 0;
    }

    // The page ends when the count reaches the limit; the "NF" form begins the next page at once.
    void FimDeLinha() {
        ++contagem_;
        if (contagem_ != limite_ && !(porNota_ && contagem_ > limite_)) return;
        Rodape();
        if (porNota_) Cabecalho();
    }

    std::string Moldura() const { return cpi17_ + "|" + std::string(134, ' ') + "|"; }

    void Escreve(const Invalido& inv) {
        if (porNota_ ? !iniciado_ : contagem_ == 0) Cabecalho();
        iniciado_ = true;
        Linha("| " + picture::format("@n6", inv.codigo) + "   " + text::pad(text::left(inv.nome, 40), 40) +
              std::string(13, ' ') + picture::format(kPadraoCnpj, inv.cgc) + std::string(9, ' ') +
              text::pad(inv.inscricao, 20) + std::string(24, ' ') + "|");
        FimDeLinha();
        for (const Secao& s : inv.secoes) {
            if (s.itens.empty()) continue;
            if (contagem_ >= limite_ - 2) {  // the title would start within the page's last 4 lines
                while (contagem_ < limite_) {
                    Linha(Moldura());
                    ++contagem_;
                }
                Rodape();
                Cabecalho();
            }
            Linha(Moldura());
            Linha("|" + std::string(7, ' ') + lneg_ + text::pad(W(s.titulo), 22) + dneg_ + std::string(105, ' ') + "|");
            Linha(Moldura());
            contagem_ += 2;
            FimDeLinha();
            for (const ItemNota& i : s.itens) {
                Linha("|       **** " + text::pad(i.serie, 2) + "   " + picture::format("@n7", i.numero) + "  " +
                      picture::format("@D06b", i.data) + "   " + picture::format("@n13", i.produto) + " - " +
                      text::pad(i.descricao, 30) + std::string(7, ' ') + picture::format("@n-15`3", i.quantidade) +
                      std::string(11, ' ') + picture::format("@n-15`2", i.base) + " |");
                FimDeLinha();
            }
        }
    }

    bool porNota_;
    std::string cpi10_, cpi17_, lneg_, dneg_;
    int limite_ = 64;
    fiscal::estilo::Empresa empresa_;
    std::string rodape_;
    std::vector<std::string> linhas_;
    int contagem_ = 0;
    int pagina_ = 0;
    bool iniciado_ = false;
};

}  // namespace

report::Document DocumentoRelErroForCli(std::uint32_t empresa, bool porNota) {
    RelatorioPaginas r(empresa, porNota);
    report::RecordLoop loop = r.Laco();
    return report::run_report(r.relatorio(), loop).document;
}

std::vector<std::string> LinhasRelErroForCliM(std::uint32_t empresa, bool porNota,
                                              const shell::CodigosImpressoraRec& codigos) {
    return RelatorioTexto(empresa, porNota, codigos).Linhas({});
}

void RelErroForCli(ui::ProcContext& ctx, std::uint32_t empresa, bool porNota) {
    const char* nome = porNota ? "RelErroForCliNF" : "RelErroForCli";
    data::ProcedureScope procedimento(nome);
    RelatorioPaginas r(empresa, porNota);
    shell::OpcoesRelatorio o;
    o.nome = nome;
    o.tituloPergunta = "Preview";
    o.textoPergunta = "Do you wish to PREVIEW this Report?";
    o.gravaRViewer = porNota;  // the register-wide form keeps no viewer settings
    o.anexo = porNota ? "ErrosClientesFornecedoresNF.zip" : "ErrosClientesFornecedores.zip";
    o.email = shell::CapturaCamposEmail();
    ctx.response = shell::ExecutaRelatorio(ctx, r.relatorio(), r.Laco(), o);
}

void RelErroForCliM(ui::ProcContext& ctx, std::uint32_t empresa, bool porNota) {
    const char* nome = porNota ? "RelErroForCliNFM" : "RelErroForCliM";
    data::ProcedureScope procedimento(nome);
    (void)shell::ExecutaRelatorioTexto(
        ctx, {"Relatório de Erros Matricial", std::string(nome) + ".txt", false, false},
        [&](const shell::CodigosImpressoraRec& codigos, const shell::EscreveLinhaTexto& escreve,
            const shell::ProgressoTexto& progresso) {
            const std::vector<std::string> linhas = RelatorioTexto(empresa, porNota, codigos).Linhas(
                [&progresso](std::size_t lidos, std::size_t total) { (void)progresso(lidos, total); });
            for (const std::string& linha : linhas)
                if (report::Outcome o = escreve(linha); !o.ok()) return o;
            return report::Outcome{};
        });
}

}  // namespace vorel::movements

// Reports "Rel_Erros_Entradas" ("Relatório de Entradas com Erros") and "Rel_Erros_Saidas"
// ("Relatório de Saidas com Erros"): every item of one audit pass's file of faulty items, in the
// order of its key NUMERO, in a detail of two lines with its product (`Produtos`) and its customer
// or supplier (`ForCli`) looked up; landscape, a closing band with the footer text.
#include <memory>
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
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/runtime.h"

namespace vorel::movements {

namespace {

namespace keys = dictionary::keys;
using fiscal::estilo::Fonte;
using fiscal::estilo::Mm;
using fiscal::estilo::W;
using report::Align;
using report::BandPainter;

constexpr report::Mils kLargura = 10900;  // the bands' width on A4 landscape

// What a detail prints (Windows-1252).
struct Detalhe {
    std::string cnpj, nome, serie, numero, data, cfo, complementar;
    std::string produto, descricao, quantidade, base, aliquota, icms;
};

// The code a short CNPJ field holds: its numeric value when it fits 5 digits, else 0.
std::uint32_t CodigoDoCnpj(std::string_view cnpj) {
    const auto v = Decimal::parse(text::trim(cnpj));
    if (!v || v->sign() < 0 || *v > Decimal(99999)) return 0;
    return static_cast<std::uint32_t>(v->to_integer());
}

class RelatorioItens {
public:
    RelatorioItens(Movimento tipo, std::string arquivo)
        : tipo_(tipo), arquivo_(std::move(arquivo)), itens_(TabelaDeErros(tipo)),
          forcli_(dictionary::ForCli()), produtos_(dictionary::Produtos()), relatorio_(Pagina()) {
        rodape_ = std::string(text::clip(shell::RodapeRelatorio()));
        MontaBandas();
    }
    ~RelatorioItens() {
        for (data::FileManager* f : {&itens_, &forcli_, &produtos_})
            if (f->is_open()) (void)f->close();
    }

    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        report::RecordLoop loop;
        Abre();
        loop.total = itens_.is_open() ? static_cast<std::size_t>(std::max<std::int64_t>(0, itens_.records())) : 0;
        loop.next = [this] { return Proximo(); };
        loop.on_record = [this](report::ReportController& r) { r.print(Linha(Detalhe_())); };
        loop.on_end = [this](report::ReportController& r) { r.print(Fecho()); };
        return loop;
    }

private:
    bool entrada() const { return tipo_ == Movimento::Entrada; }

    static report::ReportSetup Pagina() {
        report::ReportSetup s;
        s.paper = report::Paper::a4();
        s.orientation = report::Orientation::Landscape;
        s.left = Mm(10);
        s.form_top = Mm(8);
        s.header_top = Mm(8);
        s.detail_top = Mm(8) + 1000;
        s.footer_top = Mm(200) - 300;
        s.detail_height = s.footer_top - s.detail_top;
        s.footer_on_last_page = false;  // the closing band shows the footer on the last page
        return s;
    }

    void Abre() {
        itens_.set_create(false);
        if (data::Result r = itens_.open_path(arquivo_); !r.ok()) {
            data::AvisoPadraoComTexto(35, entrada() ? "EntradaVorel0" : "SaidaVorel0");
            return;
        }
        data::AbreArquivo(forcli_, 1, 0, 0, 1);
        data::AbreArquivo(produtos_, 1, 0, 0, 1);
        itens_.clear_record();
        (void)itens_.set(entrada() ? keys::ESPENT_KEY_NUMERO : keys::SAI0_KEY_NUMERO);
    }

    bool Proximo() {
        if (!itens_.is_open()) return false;
        data::Result r = itens_.next();
        if (r.ok()) return true;
        if (r != data::kRecordNotAvailable) data::AvisoPadraoComTexto(35, entrada() ? "EntradaVorel0" : "SaidaVorel0");
        return false;
    }

    // The product's description and register rate, blank when it is not registered.
    void Produto(const Decimal& codigo, Detalhe& d) {
        if (!produtos_.is_open()) return;
        auto& p = produtos_.rec<dictionary::ProdutosRec>();
        produtos_.clear_record();
        p.Codigo = codigo;
        if (!produtos_.get(keys::PRO_KEY_CODIGO).ok()) return;
        d.descricao = picture::format("@s100", p.Produtos.value());
        d.aliquota = picture::format("@n-8`3", p.Alicota.value());
    }

    // The customer's or supplier's name: by CNPJ when the field holds 14 characters, else by the
    // code the field holds (shown as a code); an exit with its register code set goes by that code.
    void Nome(std::uint32_t codigoDoItem, std::string_view cnpj, Detalhe& d) {
        if (!forcli_.is_open()) return;
        auto& f = forcli_.rec<dictionary::ForCliRec>();
        forcli_.clear_record();
        data::Result achou = data::kRecordNotFound;
        const std::string_view clip = text::clip(cnpj);
        if (!entrada() && codigoDoItem > 0) {
            f.Codigo = codigoDoItem;
            achou = forcli_.get(keys::FOR_KEY_CODIGO1);
        } else if (clip.size() == 14) {
            f.CGC = entrada() ? std::string(cnpj) : picture::format("@n014", Decimal::parse(clip).value_or(Decimal(0)));
            f.Inativo = 0;
            achou = forcli_.get(keys::FOR_KEY_CGC);
        } else {
            f.Codigo = CodigoDoCnpj(cnpj);
            f.Inativo = 0;
            d.cnpj = picture::format("@n5", f.Codigo);
            achou = forcli_.get(keys::FOR_KEY_CODIGO);
        }
        if (achou.ok()) d.nome = picture::format("@s40", f.Nome.value());
    }

    Detalhe Detalhe_() {
        Detalhe d;
        if (entrada()) {
            const auto& r = itens_.rec<dictionary::EntradaVorelRec>();
            d.cnpj = picture::format("@s14", r.Cnpj.value());
            d.serie = picture::format("@s3", r.Serie.value());
            d.numero = picture::format("@n13", r.Numero);
            d.data = picture::format("@D06b", r.DataEmissao);
            d.cfo = picture::format("@n6.", r.CFO);
            d.complementar = picture::format("@s10", std::to_string(r.CFOComplementar));
            d.produto = picture::format("@N-19.", r.CodMercadoria.value());
            d.quantidade = picture::format("@n-18`3", r.Quantidade.value());
            d.base = picture::format("@n-18`2", r.BaseICMS.value());
            d.icms = picture::format("@n-19`2", r.ValorICMS.value());
            Nome(0, r.Cnpj.value(), d);
            Produto(r.CodMercadoria, d);
        } else {
            const auto& r = itens_.rec<dictionary::SaidaVorelRec>();
            d.cnpj = picture::format("@p##.###.###/####-##p", r.CNPJ.value());
            d.serie = picture::format("@s2", r.Serie.value());
            // A number of more than six digits shows whole: the column never drops digits.
            const std::string numero = std::to_string(r.Numero);
            d.numero = numero.size() > 6 ? numero : picture::format("@s6", numero);
            d.data = picture::format("@D06b", r.DataSaida);
            d.cfo = picture::format("@n6.", r.CFO);
            d.complementar = picture::format("@s2", r.CFOComplementar.value());
            d.produto = picture::format("@N-19.", r.CodMercadoria.value());
            d.quantidade = picture::format("@n-18`3", r.Quantidade.value());
            d.base = picture::format("@n-18`2", r.BaseCalculo.value());
            d.icms = picture::format("@n-18`2", r.ICMS.value());
            Nome(r.CodigoForCli, r.CNPJ.value(), d);
            Produto(r.CodMercadoria, d);
        }
        return d;
    }

    // Columns of the two lines: x and width.
    struct Coluna {
        report::Mils x, largura;
    };
    static constexpr Coluna kCnpj{0, 1400}, kNome{1450, 3300}, kSerie{4800, 400}, kNumero{5250, 1000},
        kData{6300, 900}, kCfo{7250, 600}, kCompl{7900, 900};
    static constexpr Coluna kProduto{0, 1400}, kDescricao{1450, 4650}, kQuantidade{6150, 1250}, kBase{7450, 1250},
        kAliquota{8750, 700}, kIcms{9500, 1350};

    static void Texto(BandPainter& p, Coluna c, report::Mils y, const std::string& t, Align a = Align::Left) {
        p.text({c.x, y, c.largura, 150}, t, Fonte(7), a);
    }

    report::Band Linha(Detalhe d) {
        return {380, [d = std::move(d)](BandPainter& p) {
                    Texto(p, kCnpj, 20, d.cnpj);
                    Texto(p, kNome, 20, d.nome);
                    Texto(p, kSerie, 20, d.serie);
                    Texto(p, kNumero, 20, d.numero, Align::Right);
                    Texto(p, kData, 20, d.data);
                    Texto(p, kCfo, 20, d.cfo, Align::Right);
                    Texto(p, kCompl, 20, d.complementar);
                    Texto(p, kProduto, 190, d.produto, Align::Right);
                    Texto(p, kDescricao, 190, d.descricao);
                    Texto(p, kQuantidade, 190, d.quantidade, Align::Right);
                    Texto(p, kBase, 190, d.base, Align::Right);
                    Texto(p, kAliquota, 190, d.aliquota, Align::Right);
                    Texto(p, kIcms, 190, d.icms, Align::Right);
                    p.line(0, 360, kLargura, 360);
                }};
    }

    report::Band Fecho() {
        const bool regua = !entrada();
        return {250, [regua, t = rodape_](BandPainter& p) {
                    if (regua) p.line(0, 20, kLargura, 20);
                    p.text({0, 60, kLargura, 150}, t, Fonte(7));
                }};
    }

    void MontaBandas() {
        const bool ent = entrada();
        relatorio_.set_page_header({950, [ent](BandPainter& p) {
            p.text({0, 0, kLargura, 260}, W(ent ? "Relatório de Entradas com Erros" : "Relatório de Saidas com Erros"),
                   Fonte(12, true), Align::Center);
            p.line(0, 320, kLargura, 320);
            const report::Font f = Fonte(7, true);
            auto cab = [&](Coluna c, report::Mils y, const char* t, Align a = Align::Left) {
                p.text({c.x, y, c.largura, 150}, W(t), f, a);
            };
            cab(kCnpj, 400, ent ? "C.N.P.J. Fornecedor" : "C.N.P.J. Destinatário");
            cab(kNome, 400, ent ? "Fornecedor" : "Destinatário");
            cab(kSerie, 400, "Série");
            cab(kNumero, 400, "Número", Align::Right);
            cab(kData, 400, "Data Emissão");
            cab(kCfo, 400, "C.F.O.", Align::Right);
            cab(kCompl, 400, ent ? "C.F.O. Compl" : "Código Compl");
            cab(kProduto, 580, "Código Produto", Align::Right);
            cab(kDescricao, 580, "Produto");
            cab(kQuantidade, 580, "Quantidade", Align::Right);
            cab(kBase, 580, "Base de I.C.M.S.", Align::Right);
            cab(kAliquota, 580, "Alíquota", Align::Right);
            cab(kIcms, 580, ent ? "Valor do I.C.M.S." : "Valor I.C.M.S.", Align::Right);
            p.line(0, 780, kLargura, 780);
        }});
        relatorio_.set_page_footer({250, [ent, t = rodape_](BandPainter& p) {
            if (!ent) p.line(0, 20, kLargura, 20);
            p.text({0, 60, kLargura, 150}, t, Fonte(7));
        }});
    }

    Movimento tipo_;
    std::string arquivo_;
    data::FileManager itens_, forcli_, produtos_;
    std::string rodape_;
    report::ReportController relatorio_;
};

}  // namespace

report::Document DocumentoRelErrosItens(Movimento tipo, std::string_view arquivo) {
    RelatorioItens r(tipo, std::string(arquivo));
    report::RecordLoop loop = r.Laco();
    return report::run_report(r.relatorio(), loop).document;
}

void RelErrosItens(ui::ProcContext& ctx, const ArquivoErros& arquivo) {
    if (!shell::GaranteEmpresa(ctx)) return;
    const bool entrada = arquivo.tipo() == Movimento::Entrada;
    const char* nome = entrada ? "Rel_Erros_Entradas" : "Rel_Erros_Saidas";
    data::ProcedureScope procedimento(nome);
    RelatorioItens r(arquivo.tipo(), arquivo.nome());
    shell::OpcoesRelatorio o;
    o.nome = nome;
    o.anexo = entrada ? "RelatorioEntradas.zip" : "RelatorioSaidas.zip";
    o.gravaRViewer = true;
    o.email = shell::CapturaCamposEmail();
    ctx.response = shell::ExecutaRelatorio(ctx, r.relatorio(), r.Laco(), o);
}

}  // namespace vorel::movements

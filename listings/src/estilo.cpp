// The listings' shared report pieces (estilo.h).
#include "estilo.h"

#include <memory>

#include "vorel/core/picture.h"
#include "vorel/data/open_table.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/report_step.h"

namespace vorel::listings::estilo {

void LinhaEmpresa(report::BandPainter& p, double y, const PosicoesEmpresa& x, const Empresa& e) {
    p.text(Caixa(x.rotulo, y, x.nome - x.rotulo, 4), "Empresa :", Times(10, true));
    p.text(Caixa(x.nome, y, x.rotuloCnpj - x.nome, 4), picture::format("@s40", e.razao), Times(10));
    p.text(Caixa(x.rotuloCnpj, y, x.cnpj - x.rotuloCnpj, 4), x.textoCnpj, Times(10, true));
    p.text(Caixa(x.cnpj, y, 40, 4), picture::format(kPadraoCnpj, e.cgc), Times(10));
}

report::ReportSetup PaginaA4(double esquerda, double cabecalho, double detalhe, double rodape, std::string titulo) {
    report::ReportSetup s;
    s.title = std::move(titulo);
    s.paper = report::Paper::a4();
    s.left = Mm(esquerda);
    s.form_top = Mm(cabecalho);
    s.header_top = Mm(cabecalho);
    s.detail_top = Mm(detalhe);
    s.detail_height = Mm(rodape) - Mm(detalhe);
    s.footer_top = Mm(rodape);
    s.footer_on_last_page = false;
    return s;
}

report::Band BandaFecho(double largura, double altura, const std::string& rodape, int pontos) {
    return {Mm(altura), [largura, altura, rodape, pontos](report::BandPainter& p) {
                p.line(0, 0, Mm(largura), 0);
                p.text(Caixa(0, 0.3, largura, altura - 0.3), rodape, Fonte(pontos));
            }};
}

Leitura::Leitura(const data::TableDesc& tabela, std::string nome) : fm_(tabela), nome_(std::move(nome)) {}

Leitura::Leitura(const data::TableDesc& tabela, std::string nome, const shell::EmpresaPeriodo& periodo)
    : fm_(tabela), nome_(std::move(nome)), periodo_(periodo) {}

Leitura::~Leitura() {
    if (aberta_) (void)fm_.close();
}

bool Leitura::Abre(data::KeyName chave) {
    if (!periodo_) {
        data::AbreArquivo(fm_, 1, 0, 0, 1);
    } else if (!shell::AbreNoAno(fm_, *periodo_).ok()) {
        data::AvisoPadraoComTexto(30, nome_);
    }
    aberta_ = fm_.is_open();
    if (!aberta_) return false;
    fm_.clear_record();
    if (!fm_.set(chave).ok()) data::AvisoPadraoSemTexto(36);
    return true;
}

bool Leitura::Proximo() {
    while (aberta_ && !fim_) {
        data::Result r = fm_.next();
        if (!r.ok()) {
            if (r != data::kRecordNotAvailable) data::AvisoPadraoComTexto(35, nome_);
            fim_ = true;
            return false;
        }
        if (!aceita_ || aceita_()) return true;
    }
    return false;
}

std::size_t Leitura::Total() {
    if (!aberta_) return 0;
    return static_cast<std::size_t>(std::max<std::int64_t>(0, fm_.records()));
}

report::RecordLoop LacoListagem(Leitura& leitura, std::function<report::Band()> detalhe, report::Band fecho) {
    return LacoListagem(leitura.Total(), [&leitura] { return leitura.Proximo(); }, std::move(detalhe), std::move(fecho));
}

report::RecordLoop LacoListagem(std::size_t total, std::function<bool()> proximo, std::function<report::Band()> detalhe,
                                report::Band fecho, std::function<void()> fim) {
    report::RecordLoop loop;
    loop.total = total;
    auto impresso = std::make_shared<bool>(false);
    loop.next = std::move(proximo);
    loop.on_record = [detalhe = std::move(detalhe), impresso](report::ReportController& r) {
        r.print(detalhe());
        *impresso = true;
    };
    loop.on_end = [fecho = std::move(fecho), impresso, fim = std::move(fim)](report::ReportController& r) {
        if (fim) fim();
        if (*impresso) r.print(fecho);
    };
    return loop;
}

void Textos(report::BandPainter& p, report::Mils y, report::Mils altura, const Coluna* colunas,
            const std::vector<std::string>& textos, const std::vector<report::Font>& fontes) {
    for (std::size_t i = 0; i < textos.size(); ++i)
        p.text({colunas[i].x, y, colunas[i].largura, altura}, textos[i], fontes[i < fontes.size() ? i : 0],
               colunas[i].alinha);
}

ui::Response ExecutaComEmail(ui::ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                             const char* nome, const char* anexo) {
    shell::OpcoesRelatorio o;
    o.nome = nome;
    o.anexo = anexo;
    o.gravaRViewer = true;
    o.email = shell::CapturaCamposEmail();
    return shell::ExecutaRelatorio(ctx, relatorio, std::move(loop), o);
}

void CabecalhoListagem(report::BandPainter& p, const Empresa& e) {
    LinhaEmpresa(p, 9, {2, 20, 91, 103}, e);
    p.line(Mm(1), Mm(14), Mm(194), Mm(14));
    p.line(Mm(1), Mm(19), Mm(194), Mm(19));
}

report::Band RodapeListagem(const std::string& rodape) {
    return {Mm(6), [rodape](report::BandPainter& p) {
                p.line(Mm(1), 0, Mm(194), 0);
                p.text(Caixa(1, 0.5, 192, 4), rodape, Fonte(9));
            }};
}

ui::Response ExecutaSemEmail(ui::ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                             std::string nome) {
    shell::OpcoesRelatorio o;
    o.nome = std::move(nome);
    o.tituloPergunta = "Preview";
    o.textoPergunta = "Do you wish to PREVIEW this Report?";
    return shell::ExecutaRelatorio(ctx, relatorio, std::move(loop), o);
}

}  // namespace vorel::listings::estilo

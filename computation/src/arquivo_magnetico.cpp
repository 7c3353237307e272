// The digital file's writer (arquivo_magnetico.h): the walk of the tables in record order.
//
// Tables: the run's work table (its own file); Empresa and CFO by their name variables; the asked
// company's Funcionarios, ForCli, Produtos and ICMSEletronica, and the EntradaVeiculo,
// SaidaVeiculo, LancICMSEletronico, AnaliticoICMS and MovMaqRegistradora of the period's year,
// at their files (shell::AbreNoAno); SaldosVorel, EntradaVorel, SaidaVorel and
// MovMaqRegistradora of the opening balances' years through cursors of their own.

#include "vorel/computation/arquivo_magnetico.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "vorel/computation/arquivo_inteiro.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/fiscal/colunas.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/linha_planilha.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/product_rate.h"
#include "vorel/shell/text_utils.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;

std::string NomeArquivoMagnetico(int empresa, date::Day fim) {
    char b[64];
    const date::Ymd p = date::split(fim);
    std::snprintf(b, sizeof b, "C:\\%04d%02d%02d.TXT", empresa, p.year % 100, p.month);
    return b;
}

namespace {

struct Falhou {
    std::string oque;
};

constexpr std::string_view kCache = "CacheKiB=1024";
struct Cancelado {};

void Checa(data::Result r, const std::string& oque) {
    if (!r.ok()) throw Falhou{oque + ": " + text::to_utf8(data::last_error().text)};
}

std::string DataBr(date::Day d) {
    if (d <= 0) return {};
    const date::Ymd p = date::split(d);
    char b[16];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", p.day, p.month, p.year);
    return b;
}

long long NumeroDoTexto(std::string_view t) {
    t = text::clip(t);
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    long long v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

// A state registration as the file writes it: masks removed, "ME" removed, at most 14 characters.
std::string Inscricao(std::string_view ie, bool maiusculas) {
    std::string s = shell::LimpaTexto(text::clip(ie));
    if (maiusculas) s = text::upper(s);
    s = shell::SubstituiTexto(s, "ME", "");
    s = std::string(text::clip(s));
    return s.substr(0, std::min<std::size_t>(s.size(), 14));
}

bool CnpjVazio(std::string_view c) {
    c = text::clip(c);
    return c.empty() || c == "00000000000000";
}

// A table of one year of the company, on a cursor of its own; absent when that year has no file.
struct TabelaAno {
    std::unique_ptr<shell::OtherYearFile> f;
    bool aberta = false;
    TabelaAno(const data::TableDesc& t, std::uint32_t empresa, int ano)
        : f(std::make_unique<shell::OtherYearFile>(t, empresa, ano)) {
        data::Result r = f->open();
        if (r == data::kFileNotFound) return;
        Checa(r, t.label + " de " + std::to_string(ano));
        aberta = true;
        (void)f->file().send(kCache);
    }
    FileManager& fm() { return f->file(); }
};

// The four tables of a year that the opening-balance search reads, under one read lock while the
// search lasts (each look-up outside it would take and drop the file's lock).
struct AnoSaldos {
    int ano;
    TabelaAno saldos, saidas, entradas, caixa;
    std::unique_ptr<data::Transaction> leitura;
    AnoSaldos(std::uint32_t empresa, int a)
        : ano(a), saldos(dictionary::SaldosVorel(), empresa, a), saidas(dictionary::SaidaVorel(), empresa, a),
          entradas(dictionary::EntradaVorel(), empresa, a), caixa(dictionary::MovMaqRegistradora(), empresa, a) {
        std::vector<FileManager*> abertas;
        for (TabelaAno* t : {&saldos, &saidas, &entradas, &caixa})
            if (t->aberta) abertas.push_back(&t->fm());
        if (abertas.empty()) return;
        leitura = std::make_unique<data::Transaction>(abertas, 10);
        Checa(leitura->status(), "Lendo as tabelas de " + std::to_string(a));
    }

    // Whether the product has an exit, an entry or a cash-register item in the month of `mes`.
    bool Movimento(const Decimal& produto, date::Day mes) {
        const int m = date::month(mes);
        if (saidas.aberta) {
            auto& s = saidas.fm().rec<dictionary::SaidaVorelRec>();
            saidas.fm().clear_record();
            s.CodMercadoria = produto;
            s.DataSaida = date::first_of_month(mes);
            if (saidas.fm().set_at(keys::SAI_KEY_PRODUTODATA).ok() && saidas.fm().next().ok() &&
                s.CodMercadoria == produto && s.DataSaida > 0 && date::month(s.DataSaida) == m)
                return true;
        }
        if (entradas.aberta) {
            auto& e = entradas.fm().rec<dictionary::EntradaVorelRec>();
            entradas.fm().clear_record();
            e.CodMercadoria = produto;
            e.DataEmissao = date::first_of_month(mes);
            if (entradas.fm().set_at(keys::ENT_KEY_PRODUTODATA).ok() && entradas.fm().next().ok() &&
                e.CodMercadoria == produto && e.DataEmissao > 0 && date::month(e.DataEmissao) == m)
                return true;
        }
        if (caixa.aberta) {
            auto& c = caixa.fm().rec<dictionary::MovMaqRegistradoraRec>();
            caixa.fm().clear_record();
            c.CodMercadoria = produto;
            c.DataEmissao = std::to_string(date::first_of_month(mes));
            if (caixa.fm().set_at(keys::MMR_KEY_PRODUTODATA).ok() && caixa.fm().next().ok() &&
                c.CodMercadoria == produto) {
                const long long d = NumeroDoTexto(c.DataEmissao.value());
                if (d > 0 && date::month(static_cast<date::Day>(d)) == m) return true;
            }
        }
        return false;
    }
};

class Gravador {
public:
    Gravador(const PedidoArquivo& p, AvisosArquivo& a)
        : p_(p), avisos_(a), trabalho_(dictionary::EntradaSaidaVorel()), empresa_(dictionary::Empresa()),
          funcionarios_(dictionary::Funcionarios()), cfo_(dictionary::CFO()), forcli_(dictionary::ForCli()),
          produtos_(dictionary::Produtos()), entVeic_(dictionary::EntradaVeiculo()), saiVeic_(dictionary::SaidaVeiculo()),
          lanc_(dictionary::LancICMSEletronico()), analitico_(dictionary::AnaliticoICMS()),
          caixa_(dictionary::MovMaqRegistradora()), maquinas_(dictionary::ICMSEletronica()) {}

    ~Gravador() {
        anos_.clear();
        leitura_.reset();
        for (FileManager* fm : Tabelas())
            if (fm->is_open()) (void)fm->close();
    }

    ResultadoMagnetico Executa() {
        ResultadoMagnetico r;
        try {
            if (p_.inicio <= 0 || p_.fim <= 0 || p_.inicio > p_.fim)
                throw Falhou{"O período do arquivo é inválido: a data inicial é posterior à final."};
            if (std::string e = arquivo_.Abre(p_.arquivo); !e.empty()) throw Falhou{e};
            Abre();
            Cabecalho();
            c_.mensagem = "Gerando Arquivo do Tipo 02";
            c_.registrosPasso = 0;
            VeiculosEmEstoque();
            SaldosIniciais();
            for (date::Day dia = p_.inicio; dia <= p_.fim; ++dia) {
                Notas(dia);
                VeiculosDoDia(dia);
            }
            Caixa();
            Produtos();
            Contagens();
        } catch (const Falhou& f) {
            arquivo_.Abandona();
            r.estado = ResultadoMagnetico::Estado::Falhou;
            r.erro = f.oque;
        } catch (const Cancelado&) {
            arquivo_.Abandona();
            r.estado = ResultadoMagnetico::Estado::Cancelado;
        }
        for (const auto& [k, v] : ausentes_) r.cfosAusentes.push_back(v);
        r.recusas = std::move(recusas_);
        if (r.ok() && (!r.recusas.empty() || !r.cfosAusentes.empty())) {
            arquivo_.Abandona();
            r.estado = ResultadoMagnetico::Estado::Recusado;
        }
        if (r.ok()) {
            if (std::string e = arquivo_.Conclui(); !e.empty()) {
                r.estado = ResultadoMagnetico::Estado::Falhou;
                r.erro = e;
            }
        }
        r.contadores = c_;
        return r;
    }

private:
    std::vector<FileManager*> Tabelas() {
        return {&trabalho_, &empresa_, &funcionarios_, &cfo_, &forcli_, &produtos_, &entVeic_,
                &saiVeic_, &lanc_, &analitico_, &caixa_, &maquinas_};
    }

    bool Caixa(const FileManager* fm) const { return fm == &lanc_ || fm == &analitico_ || fm == &caixa_ || fm == &maquinas_; }

    // The asked company in the month where the period starts: its year's files hold the vehicle and
    // cash-register rows the file writes.
    shell::EmpresaPeriodo Periodo() const {
        const date::Ymd i = date::split(p_.inicio);
        return {static_cast<std::uint32_t>(p_.empresa), i.year, i.month};
    }

    void Abre() {
        trabalho_.set_create(false);
        Checa(trabalho_.open_path(p_.trabalho), "Abrindo a tabela de trabalho");
        // The cash-register tables open when their records are written: the opening-balance search
        // reads the working year's MovMaqRegistradora under a lock of its own.
        // The company's registers (suppliers and customers, products, employees) are the asked
        // company's files, whatever company the windows work on; the vehicle tables are the files
        // of the period's year, whatever year the windows work on.
        const shell::EmpresaPeriodo empresa = Periodo();
        for (FileManager* fm : Tabelas()) {
            if (fm == &trabalho_ || Caixa(fm)) continue;
            Checa(shell::AbreNoAno(*fm, empresa), "Abrindo " + fm->desc().label);
        }
        // The thread's cursors that AliquotaProdutoData reads stay open for the run at the company's
        // files, so its calls for records 05 neither open nor close them and read there.
        aliquotas_.emplace(empresa);
        Checa(aliquotas_->aberta(), "Abrindo " + aliquotas_->tabela());
        // The walks fill only the fields the records take.
        Checa(data::Cursor::read_only(trabalho_, {"DATA", "ENTSAI", "NUMERO", "SERIE", "CFO", "COMPLEMENTO", "CFOCOMPL",
                                                  "ALIQUOTA", "CODMERCADORIA", "QUANTIDADE", "BASEICMS", "SAICONSFINAL",
                                                  "SAINREALIZADO", "SAIISENTA", "SAIOUTORUF", "SAISUBSEQUENTE",
                                                  "CONFUSUFINAL", "CONFENTRADASDEMHIP", "CNPJFORPROD", "CODIGOFORCLI"}),
              "EntradaSaidaVorel");
        Checa(data::Cursor::read_only(produtos_, {"Codigo", "Alicota", "Produtos", "Medida"}), "Produtos");
        // A run over a large period reads each page once: a small page cache is enough.
        for (FileManager* fm : Tabelas())
            if (fm->is_open()) (void)fm->send(kCache);
        for (FileManager* fm : aliquotas_->tabelas()) (void)fm->send(kCache);
        // One lock over the run's reads (the batch mode of the walk): each read outside it would
        // take and drop the files' locks. Nothing is written; it is rolled back at the end.
        std::vector<FileManager*> lidas{&trabalho_, &cfo_, &forcli_, &produtos_, &entVeic_, &saiVeic_};
        lidas.insert(lidas.end(), aliquotas_->tabelas().begin(), aliquotas_->tabelas().end());
        leitura_ = std::make_unique<data::Transaction>(lidas, 10);
        Checa(leitura_->status(), "Lendo as tabelas");
    }

    void Escreve(const std::string& linha, long long ContadoresArquivo::*contador) {
        arquivo_.Linha(linha);
        if (contador) ++(c_.*contador);
        ++c_.registrosPasso;
        if (!avisos_.Progresso(c_)) throw Cancelado{};
    }

    // ---- 01
    void Cabecalho() {
        c_.mensagem = "Gerando Arquivo do Tipo 01";
        auto& e = empresa_.rec<dictionary::EmpresaRec>();
        empresa_.clear_record();
        e.Codigo = static_cast<std::uint16_t>(p_.empresa);
        if (!empresa_.get(keys::EMP_KEY_CODIGO).ok()) empresa_.clear_record();
        DadosCabecalho d;
        d.cgc = e.CGC.value();
        d.inscricaoEstadual = e.INSCESTADUAL.value();
        d.cnae = e.CNAE;
        d.razaoSocial = e.RAZAOSOCIAL.value();
        d.cidade = e.CIDADE.value();
        d.uf = e.UF.value();
        d.inicio = p_.inicio;
        d.fim = p_.fim;
        d.endereco = e.ENDERECO.value();
        d.numero = e.NUMERO;
        d.complemento = e.COMPLEMENTO.value();
        d.bairro = e.BAIRRO.value();
        d.cep = e.CEP;
        d.fax = e.FAX;
        d.fone = e.FONE;
        d.email = e.EMAIL.value();
        d.paginaWeb = e.PAGINAWEB.value();
        auto& f = funcionarios_.rec<dictionary::FuncionariosRec>();
        funcionarios_.clear_record();
        f.CODIGO = static_cast<std::uint32_t>(e.CODRESPESCR);
        if (e.CODRESPESCR > 0 && funcionarios_.get(keys::FUN_Key_Codigo).ok()) d.responsavel = f.Nome.value();
        empresaCnpj_ = e.CGC.value();
        empresaIe_ = std::string(shell::LimpaTexto(text::clip(e.INSCESTADUAL.value())));
        empresaIe_ = empresaIe_.substr(0, std::min<std::size_t>(empresaIe_.size(), 14));
        empresaUf_ = e.UF.value();
        Escreve(RegistroCabecalho(d, p_.versao, recusas_), nullptr);
    }

    // ---- the CFO register (each code read once per run)
    struct Cfo {
        bool existe = false;
        int codigo = 0, arquivo = 0, coluna = 0;
    };
    const Cfo* CfoRegistro(int codigo, int complemento) {
        auto [it, novo] = cfos_.try_emplace({codigo, complemento});
        if (novo) {
            const auto& c = cfo_.rec<dictionary::CFORec>();
            if (fiscal::ColunaDoCfo(cfo_, codigo, complemento))
                it->second = {true, c.CODIGO, c.CODIGO_CFO_ARQUIVOMAGNETICO_VOREL, c.COLUNA};
        }
        return it->second.existe ? &it->second : nullptr;
    }
    // The walk's look-up: the register row with an empty state.
    const Cfo* CfoSemEstado(int codigo, int complemento) {
        auto [it, novo] = cfosSemEstado_.try_emplace({codigo, complemento});
        if (novo) {
            const auto& c = cfo_.rec<dictionary::CFORec>();
            if (fiscal::ColunaDoCfo(cfo_, codigo, complemento, fiscal::EstadoDoCfo::SemEstado))
                it->second = {true, c.CODIGO, c.CODIGO_CFO_ARQUIVOMAGNETICO_VOREL, c.COLUNA};
        }
        return it->second.existe ? &it->second : nullptr;
    }

    enum class Tipo { Nota, VeiculoEstoque, VeiculoDia };

    // The CFOP field of a record; each code's text is made once (a refused one every time, so that
    // each of its records is listed).
    std::string Cfop(int proprio, int complemento, Tipo tipo, const std::string& rotulo) {
        const auto chave = std::make_tuple(proprio, complemento, tipo);
        if (auto it = cfopsFeitos_.find(chave); it != cfopsFeitos_.end()) return it->second;
        const std::size_t recusasAntes = recusas_.size();
        std::string campo = FazCfop(proprio, complemento, tipo, rotulo);
        if (recusas_.size() == recusasAntes) cfopsFeitos_.emplace(chave, campo);
        return campo;
    }
    std::string FazCfop(int proprio, int complemento, Tipo tipo, const std::string& rotulo) {
        Decimal codigo = proprio;
        if (const Cfo* c = CfoRegistro(proprio, complemento)) {
            const int arquivo = c->arquivo;
            switch (p_.versao) {
                case VersaoArquivo::V23:
                    codigo = p_.anoTrabalho >= 2003 && p_.mesTrabalho > 0 ? c->codigo : arquivo;
                    break;
                case VersaoArquivo::V23Port9905:
                    codigo = tipo == Tipo::VeiculoEstoque && c->codigo < 1000 ? arquivo : c->codigo;
                    break;
                case VersaoArquivo::V21:
                    codigo = tipo == Tipo::Nota ? c->codigo : arquivo;
                    break;
            }
        }
        return CampoCfop(codigo, p_.versao, rotulo, recusas_);
    }

    // ---- suppliers and customers
    const dictionary::ForCliRec* ForCliPorCodigo(std::uint32_t codigo) {
        auto& f = forcli_.rec<dictionary::ForCliRec>();
        forcli_.clear_record();
        f.Codigo = codigo;
        return forcli_.get(keys::FOR_KEY_CODIGO).ok() ? &f : nullptr;
    }
    const dictionary::ForCliRec* ForCliPorCnpj(std::string_view cnpj) {
        auto& f = forcli_.rec<dictionary::ForCliRec>();
        forcli_.clear_record();
        std::vector<ValorRecusado> ignorados;
        LinhaArquivo numero("", ignorados);
        numero.Cnpj(cnpj);
        f.CGC = numero.str();
        return forcli_.get(keys::FOR_KEY_CGC).ok() ? &f : nullptr;
    }

    struct Parte {
        std::string inscricao, uf;
    };
    static Parte ParteEntrada(const dictionary::ForCliRec& f) {
        Parte p;
        p.inscricao = text::clip(f.InscricaoEstadual.value()).empty() ? "ISENTO" : Inscricao(f.InscricaoEstadual.value(), true);
        p.uf = f.Estado.value();
        return p;
    }

    Parte ParteNota(bool entrada, std::uint32_t codigo, std::string_view cnpj) {
        auto chave = std::make_tuple(entrada, codigo, std::string(text::clip(cnpj)));
        auto it = partes_.find(chave);
        if (it == partes_.end()) it = partes_.emplace(std::move(chave), BuscaParteNota(entrada, codigo, cnpj)).first;
        return it->second;
    }
    Parte BuscaParteNota(bool entrada, std::uint32_t codigo, std::string_view cnpj) {
        if (codigo > 0)
            if (const auto* f = ForCliPorCodigo(codigo))
                return entrada ? ParteEntrada(*f) : Parte{Inscricao(f->InscricaoEstadual.value(), true), std::string(f->Estado.value())};
        const auto* f = ForCliPorCnpj(cnpj);
        if (entrada) return f && !text::clip(cnpj).empty() ? ParteEntrada(*f) : Parte{};
        if (!f || CnpjVazio(cnpj)) return {"ISENTO", "SP"};
        return {Inscricao(f->InscricaoEstadual.value(), true), std::string(f->Estado.value())};
    }

    // ---- 02: vehicles
    void Veiculo(const dictionary::EntradaVeiculoRec& v, bool estoque) {
        DadosEstoque d;
        d.rotulo = "02 veículo " + std::string(text::clip(v.Chassi.value())) + " de " + DataBr(v.DataEntrada);
        d.cnpj = v.CNPJforcli.value();
        if (!text::clip(v.CNPJforcli.value()).empty())
            if (const auto* f = ForCliPorCnpj(v.CNPJforcli.value())) {
                Parte p = ParteEntrada(*f);
                d.inscricao = p.inscricao;
                d.uf = p.uf;
            }
        d.data = v.DataEntrada;
        d.serie = v.Serie.value();
        d.numero = v.Numero;
        const bool sk = p_.versao == VersaoArquivo::V23 && text::clip(v.Serie.value()) == "SK";
        const bool semChassi = text::clip(v.Chassi.value()).empty();
        d.cfop = sk ? "1403" : Cfop(v.CFO, v.Complemento, estoque ? Tipo::VeiculoEstoque : Tipo::VeiculoDia, d.rotulo);
        if (sk) d.complemento = 0;
        else if (p_.tipoCompl == 1 || (p_.versao == VersaoArquivo::V23 && !estoque && semChassi)) d.complemento = v.CFOComplementar;
        else d.complemento = v.Complemento;
        d.quantidade = v.Quantidade;
        d.valorA = v.BaseCalcRetencao;
        d.valorB = 0;
        d.produto = v.CodProduto;
        d.chassi = v.Chassi.value();
        d.valorC = v.BasepropSubstituid;
        if (!estoque && semChassi && p_.versao != VersaoArquivo::V21) {
            d.chassi.clear();
            d.valorC = 0;
        }
        Escreve(RegistroEstoque(d, recusas_), &ContadoresArquivo::tipo02);
    }

    void VeiculoSaida(const dictionary::SaidaVeiculoRec& v) {
        DadosEstoque d;
        d.rotulo = "02 veículo " + std::string(text::clip(v.Chassi.value())) + " de " + DataBr(v.DataSaida);
        LinhaArquivo n(d.rotulo, recusas_);
        n.Cnpj(v.CNPJforcli.value());
        d.cnpj = n.str();
        const auto* f = CnpjVazio(v.CNPJforcli.value()) ? nullptr : ForCliPorCnpj(v.CNPJforcli.value());
        if (!f) {
            d.inscricao = "ISENTO";
            d.uf = "SP";
        } else {
            d.inscricao = Inscricao(f->InscricaoEstadual.value(), false);
            d.uf = f->Estado.value();
        }
        d.data = v.DataSaida;
        d.serie = v.Serie.value();
        d.numero = v.Numero;
        const bool sk = p_.versao == VersaoArquivo::V23 && text::clip(v.Serie.value()) == "SK";
        d.cfop = sk ? "1403" : Cfop(v.CFO, v.Complemento, Tipo::VeiculoDia, d.rotulo);
        d.complemento = sk ? 0 : (p_.tipoCompl == 1 ? v.CFOComplementar : v.Complemento);
        d.quantidade = v.Quantidade;
        d.valorA = 0;
        d.valorB = v.BaseSaidaConsFinal;
        d.produto = v.CodProduto;
        d.chassi = v.Chassi.value();
        d.valorC = 0;
        if (text::clip(v.Chassi.value()).empty()) d.chassi.clear();
        Escreve(RegistroEstoque(d, recusas_), &ContadoresArquivo::tipo02);
    }

    void VeiculosEmEstoque() {
        auto& v = entVeic_.rec<dictionary::EntradaVeiculoRec>();
        auto& s = saiVeic_.rec<dictionary::SaidaVeiculoRec>();
        entVeic_.clear_record();
        Checa(entVeic_.set(keys::ENV_KEY_NUMERO), "EntradaVeiculo");
        while (entVeic_.next().ok() && v.DataEntrada < p_.inicio) {
            bool saiu = false;
            saiVeic_.clear_record();
            s.Chassi = v.Chassi.value();
            if (saiVeic_.set_within(keys::SAV_KEY_CHASSI, 1).ok())
                while (!saiu && saiVeic_.next().ok()) saiu = s.DataSaida >= p_.inicio;
            if (saiu) Veiculo(v, true);
        }
    }

    void VeiculosDoDia(date::Day dia) {
        auto& v = entVeic_.rec<dictionary::EntradaVeiculoRec>();
        entVeic_.clear_record();
        v.DataEntrada = dia;
        if (entVeic_.set_at(entVeic_.key_number(keys::ENV_KEY_NUMERO), 1).ok())
            while (entVeic_.next().ok() && v.DataEntrada == dia) Veiculo(v, false);
        auto& s = saiVeic_.rec<dictionary::SaidaVeiculoRec>();
        saiVeic_.clear_record();
        s.DataSaida = dia;
        if (saiVeic_.set_at(saiVeic_.key_number(keys::SAV_KEY_NUMERO), 1).ok())
            while (saiVeic_.next().ok() && s.DataSaida == dia) VeiculoSaida(s);
    }

    // ---- 02: opening balances
    AnoSaldos& Ano(int ano) {
        auto it = anos_.find(ano);
        if (it == anos_.end()) it = anos_.emplace(ano, std::make_unique<AnoSaldos>(static_cast<std::uint32_t>(p_.empresa), ano)).first;
        return *it->second;
    }

    // The product's typed balance of the period's first month, if any.
    bool SaldoDigitadoMes(const Decimal& produto, Decimal& qtd, Decimal& base) {
        AnoSaldos& a = Ano(date::year(p_.inicio));
        if (!a.entradas.aberta) return false;
        auto& e = a.entradas.fm().rec<dictionary::EntradaVorelRec>();
        a.entradas.fm().clear_record();
        e.CodMercadoria = produto;
        e.Numero = 0;
        e.DataEmissao = date::first_of_month(p_.inicio);
        if (!a.entradas.fm().set_at(keys::ENT_Key_ProdNumeroData).ok() || !a.entradas.fm().next().ok()) return false;
        if (e.CodMercadoria != produto || e.Numero != 0 || e.DataEmissao <= 0 ||
            date::month(e.DataEmissao) != date::month(p_.inicio) || date::year(e.DataEmissao) != date::year(p_.inicio))
            return false;
        qtd = e.Quantidade;
        base = e.BaseICMS;
        return true;
    }

    // The last stored balance of a month in which the product moved, searched backwards from the
    // month before the period's first month, year by year while a year has its balance file.
    void BuscaSaldoAnteriorProdutos(const Decimal& produto, const Decimal& aliquota, Decimal& qtd, Decimal& base) {
        qtd = 0;
        base = 0;
        const date::Day primeiro = date::first_of_month(p_.inicio);
        date::Day limite = date::last_of_month(primeiro - 1);
        const int primeiroAno = date::year(limite);
        for (int ano = primeiroAno;; --ano) {
            AnoSaldos& a = Ano(ano);
            if (!a.saldos.aberta) {
                if (ano != primeiroAno) return;  // an earlier year without balances ends the search
                limite = date::make(ano - 1, 12, 31);
                continue;
            }
            auto& q = a.saldos.fm().rec<dictionary::SaldosVorelRec>();
            a.saldos.fm().clear_record();
            const std::string codigo = produto.to_string();
            q.Produto = codigo;
            q.Competencia = limite;
            q.Aliquota = aliquota;
            Checa(a.saldos.fm().set_at(keys::SQEL_KEY_PRODDATAALIQUOTA), "SaldosVorel");
            while (a.saldos.fm().previous().ok() && text::clip(q.Produto.value()) == codigo) {
                if (q.Competencia > 0 && a.Movimento(produto, q.Competencia)) {
                    qtd = q.QuantProdutos;
                    base = q.BaseAcunulada;
                    return;
                }
            }
            limite = date::make(ano - 1, 12, 31);
        }
    }

    std::string CfopSaldo() const {
        switch (p_.versao) {
            case VersaoArquivo::V21: return "172";
            case VersaoArquivo::V23Port9905: return p_.anoTrabalho <= 2002 ? "0172" : "0002";
            case VersaoArquivo::V23: break;
        }
        return "1403";
    }

    void SaldosIniciais() {
        c_.mensagemSaldo = "Verificando Saldo Anterior dos Produtos";
        c_.produtosExaminados = 0;
        auto& pr = produtos_.rec<dictionary::ProdutosRec>();
        produtos_.clear_record();
        Checa(produtos_.set(keys::PRO_KEY_CODIGO), "Produtos");
        for (;;) {
            data::Result r = produtos_.next();
            if (r == data::kRecordNotAvailable) break;
            Checa(r, "Produtos");
            ++c_.produtosExaminados;
            const Decimal produto = pr.Codigo;
            const Decimal aliquota = pr.Alicota;
            Decimal qtd, base;
            const bool digitado = SaldoDigitadoMes(produto, qtd, base);
            bool movimento = false;
            if (!digitado) {
                movimento = Ano(date::year(p_.inicio)).Movimento(produto, p_.inicio);
                BuscaSaldoAnteriorProdutos(produto, aliquota, qtd, base);
            }
            if (digitado || !qtd.is_zero() || movimento) {
                if (lista_.insert(produto.to_string()).second) ordem_.push_back(produto);
                DadosEstoque d;
                d.rotulo = "02 saldo anterior do produto " + produto.to_string();
                LinhaArquivo n(d.rotulo, recusas_);
                n.Cnpj(empresaCnpj_);
                d.cnpj = n.str();
                d.inscricao = empresaIe_;
                d.uf = empresaUf_;
                d.data = p_.inicio;
                d.serie = "SK";
                d.numero = 0;
                d.cfop = CfopSaldo();
                d.complemento = 0;
                d.quantidade = qtd;
                d.valorA = base;
                d.produto = produto;
                d.completo = p_.versao != VersaoArquivo::V21;
                Escreve(RegistroEstoque(d, recusas_), &ContadoresArquivo::tipo02);
            } else if (!avisos_.Progresso(c_)) {
                throw Cancelado{};
            }
        }
        c_.mensagemSaldo.clear();
        c_.produtosExaminados = 0;
        anos_.clear();  // the years' tables and their locks are no longer needed
    }

    // ---- 02: invoice items of a day
    void Notas(date::Day dia) {
        auto& w = trabalho_.rec<dictionary::EntradaSaidaVorelRec>();
        trabalho_.clear_record();
        w.DATA = dia;
        Checa(trabalho_.set_at(trabalho_.key_number(keys::ESA_KEY_DATA_ENTSAI_NUMERO), 1), "EntradaSaidaVorel");
        for (;;) {
            data::Result r = trabalho_.next();
            if (r == data::kRecordNotAvailable || (r.ok() && w.DATA != dia)) break;
            Checa(r, "EntradaSaidaVorel");
            if (w.ENTSAI == 0 || text::clip(w.NUMERO.value()).empty()) continue;
            Nota(w);
        }
    }

    // Names the values refused since `desde` after their record: the label is made only then.
    template <class Rotulo>
    void NomeiaRecusas(std::size_t desde, Rotulo rotulo) {
        if (recusas_.size() == desde) return;
        const std::string r = rotulo();
        for (std::size_t i = desde; i < recusas_.size(); ++i) recusas_[i].registro = r;
    }

    void Nota(const dictionary::EntradaSaidaVorelRec& w) {
        const std::size_t recusasAntes = recusas_.size();
        const bool entrada = w.ENTSAI == 1;
        Decimal base1, base2;
        bool serieEntrada = entrada;
        const std::string_view aliquota = text::clip(w.ALIQUOTA.value());
        if (!aliquota.empty()) {
            serieEntrada = aliquota != "F" && entrada;
        } else {
            const Cfo* c = CfoSemEstado(w.CFO, w.COMPLEMENTO);
            int coluna = 0;
            if (!c) {
                auto chave = std::make_tuple(static_cast<int>(w.CFO), static_cast<int>(w.COMPLEMENTO));
                if (!ausentes_.count(chave))
                    ausentes_[chave] = CfoAusente{w.CODMERCADORIA, w.DATA, std::string(text::clip(w.NUMERO.value())), w.CFO, w.COMPLEMENTO};
            } else {
                coluna = c->coluna;
            }
            // Exits of columns 2 to 6 whose number the sheet prints among the entries go on the entry side.
            const bool naEntrada = fiscal::NumeroNaEntrada(w.CFO);
            switch (coluna) {
                case fiscal::kEntradas:
                case fiscal::kDevolucaoCompras: base1 = w.BASEICMS; base2 = w.CONFENTRADASDEMHIP; serieEntrada = true; break;
                case fiscal::kConsumidorFinal: base1 = w.SAICONSFINAL; base2 = w.CONFUSUFINAL; serieEntrada = naEntrada; break;
                case fiscal::kFatoGeradorNaoRealizado: base1 = w.SAINREALIZADO; base2 = w.CONFENTRADASDEMHIP; serieEntrada = naEntrada; break;
                case fiscal::kIsenta: base1 = w.SAIISENTA; base2 = w.CONFENTRADASDEMHIP; serieEntrada = naEntrada; break;
                case fiscal::kOutroEstado: base1 = w.SAIOUTORUF; base2 = w.CONFENTRADASDEMHIP; serieEntrada = naEntrada; break;
                case fiscal::kSubsequente: base1 = w.SAISUBSEQUENTE; base2 = w.CONFENTRADASDEMHIP; serieEntrada = naEntrada; break;
                case fiscal::kEntradasDemaisHipoteses: serieEntrada = true; break;
                case fiscal::kDevolucaoEstoque: base1 = w.SAINREALIZADO; base2 = w.CONFENTRADASDEMHIP; serieEntrada = false; break;
                default: break;  // the row's own date and series, bases 0
            }
        }
        DadosEstoque d;
        LinhaArquivo n({}, recusas_);
        n.Cnpj(w.CNPJFORPROD.value());
        d.cnpj = n.str();
        Parte parte = ParteNota(entrada, w.CODIGOFORCLI, w.CNPJFORPROD.value());
        d.inscricao = parte.inscricao;
        d.uf = parte.uf;
        d.data = w.DATA;
        d.serie = serieEntrada == entrada ? std::string(w.SERIE.value()) : std::string();
        d.numero = NumeroDoTexto(w.NUMERO.value());
        d.cfop = Cfop(w.CFO, w.COMPLEMENTO, Tipo::Nota, {});
        if (p_.tipoCompl == 1) {
            const int cc = w.CFOCOMPL;
            d.complemento = entrada && p_.versao == VersaoArquivo::V23 && (cc == 5 || cc == 6 || cc == 7) ? 0 : cc;
        } else {
            d.complemento = w.COMPLEMENTO;
        }
        d.quantidade = w.QUANTIDADE;
        d.valorA = base1;
        d.valorB = base2;
        d.produto = w.CODMERCADORIA;
        d.completo = p_.versao != VersaoArquivo::V21;
        std::string linha = RegistroEstoque(d, recusas_);
        NomeiaRecusas(recusasAntes, [&] {
            return std::string(entrada ? "02 entrada " : "02 saída ") + std::string(text::clip(w.NUMERO.value())) +
                   " de " + DataBr(w.DATA) + " produto " + Decimal(w.CODMERCADORIA).to_string();
        });
        Escreve(linha, &ContadoresArquivo::tipo02);
    }

    // ---- 03M, 03A, 03P
    static bool DentroDoPeriodo(std::string_view texto, date::Day fim) {
        const long long d = NumeroDoTexto(texto);
        return d <= fim;
    }

    void Caixa() {
        c_.mensagem = "Gerando Arquivo do Tipo 03";
        c_.registrosPasso = 0;
        const shell::EmpresaPeriodo periodo = Periodo();
        for (FileManager* fm : {&lanc_, &analitico_, &caixa_, &maquinas_}) {
            Checa(shell::AbreNoAno(*fm, periodo), "Abrindo " + fm->desc().label);
            (void)fm->send(kCache);
        }
        const std::string desde = std::to_string(p_.inicio);
        auto& l = lanc_.rec<dictionary::LancICMSEletronicoRec>();
        auto& m = maquinas_.rec<dictionary::ICMSEletronicaRec>();
        lanc_.clear_record();
        l.DataEmissao = desde;
        Checa(lanc_.set_at(lanc_.key_number(keys::LAN_KEY_CODIGO), 1), "LancICMSEletronico");
        while (lanc_.next().ok() && DentroDoPeriodo(l.DataEmissao.value(), p_.fim)) {
            DadosMestre d;
            d.data = static_cast<date::Day>(NumeroDoTexto(l.DataEmissao.value()));
            d.maquina = l.Codigo;
            maquinas_.clear_record();
            m.Codigo = l.Codigo;
            if (maquinas_.get(keys::ICM_KEY_NUMERO).ok()) {
                d.serie = m.Serie.value();
                d.cupomFiscal = m.CumpomFiscal.value();
            }
            d.cupomInicial = l.InicialCupom;
            d.cupomFinal = l.FinalCupom;
            d.reducao = l.ContReducao;
            d.gtInicio = l.GTInicio;
            d.gtFinal = l.GTFinal;
            Escreve(RegistroMestre(d, recusas_), &ContadoresArquivo::tipo03M);
        }
        auto& a = analitico_.rec<dictionary::AnaliticoICMSRec>();
        analitico_.clear_record();
        a.DataEmissao = desde;
        Checa(analitico_.set_at(analitico_.key_number(keys::ANA_KEY_ALICOTA), 1), "AnaliticoICMS");
        while (analitico_.next().ok() && DentroDoPeriodo(a.DataEmissao.value(), p_.fim)) {
            DadosAnalitico d;
            d.data = static_cast<date::Day>(NumeroDoTexto(a.DataEmissao.value()));
            d.maquina = a.Codigo;
            d.aliquota = a.Aliquota.value();
            d.totalizador = a.Totalizador;
            Escreve(RegistroAnalitico(d, recusas_), &ContadoresArquivo::tipo03A);
        }
        auto& i = caixa_.rec<dictionary::MovMaqRegistradoraRec>();
        caixa_.clear_record();
        i.DataEmissao = desde;
        Checa(caixa_.set_at(caixa_.key_number(keys::MMR_KEY_CODIGO), 1), "MovMaqRegistradora");
        while (caixa_.next().ok() && DentroDoPeriodo(i.DataEmissao.value(), p_.fim)) {
            analitico_.clear_record();
            a.Codigo = i.Codigo;
            a.DataEmissao = i.DataEmissao.value();
            a.Fechamento = i.Fechamento;
            a.Aliquota = i.Aliquota.value();
            if (!analitico_.get(keys::ANA_KEY_ALICOTA).ok()) continue;
            DadosItemCaixa d;
            d.data = static_cast<date::Day>(NumeroDoTexto(i.DataEmissao.value()));
            d.maquina = i.Codigo;
            d.quantidade = i.Quantidade;
            d.base = i.BaseCalculo;
            d.produto = i.CodMercadoria;
            Escreve(RegistroItemCaixa(d, recusas_), &ContadoresArquivo::tipo03P);
        }
    }

    // ---- 04, 05
    void Produtos() {
        auto& pr = produtos_.rec<dictionary::ProdutosRec>();
        c_.mensagem = "Gerando Arquivo do Tipo 04";
        c_.registrosPasso = 0;
        for (const Decimal& codigo : ordem_) {
            produtos_.clear_record();
            pr.Codigo = codigo;
            if (!produtos_.get(keys::PRO_KEY_CODIGO).ok()) produtos_.clear_record();
            Escreve(RegistroProduto(codigo, pr.Produtos.value(), pr.Medida.value(), recusas_), &ContadoresArquivo::tipo04);
        }
        c_.mensagem = "Gerando Arquivo do Tipo 05";
        c_.registrosPasso = 0;
        for (const Decimal& codigo : ordem_) {
            date::Day dia = date::first_of_month(p_.anoTrabalho, p_.mesTrabalho);
            const Decimal aliquota = shell::AliquotaProdutoData(codigo, dia, 0);
            Escreve(RegistroAliquota(codigo, p_.inicio, p_.fim, aliquota, recusas_), &ContadoresArquivo::tipo05);
        }
    }

    // ---- 06
    void Contagens() {
        c_.mensagem = "Gerando Arquivo do Tipo 06";
        c_.registrosPasso = 0;
        Escreve(RegistroContagem(1, 1, recusas_), &ContadoresArquivo::tipo06);
        const long long tipo03 = c_.tipo03M + c_.tipo03A + c_.tipo03P;
        const std::pair<int, long long> partes[] = {{2, c_.tipo02}, {3, tipo03}, {4, c_.tipo04}, {5, c_.tipo05}};
        for (const auto& [subtipo, n] : partes)
            if (n > 0) Escreve(RegistroContagem(subtipo, n, recusas_), &ContadoresArquivo::tipo06);
        const long long total = c_.tipo02 + tipo03 + c_.tipo04 + c_.tipo05 + c_.tipo06 + 2;
        Escreve(RegistroContagem(6, total, recusas_), nullptr);
        c_.tipo06 = total;
        c_.total = total;
        c_.mensagem = "Término da Geração dos Arquivos";
        c_.registrosPasso = 0;
    }

    const PedidoArquivo& p_;
    AvisosArquivo& avisos_;
    ArquivoInteiro arquivo_;
    std::unique_ptr<data::Transaction> leitura_;
    FileManager trabalho_, empresa_, funcionarios_, cfo_, forcli_, produtos_, entVeic_, saiVeic_, lanc_, analitico_,
        caixa_, maquinas_;
    std::optional<shell::AliquotasAbertas> aliquotas_;  // the thread's rate cursors, open for the run
    std::map<int, std::unique_ptr<AnoSaldos>> anos_;
    std::map<std::pair<int, int>, Cfo> cfos_, cfosSemEstado_;
    std::map<std::tuple<int, int, Tipo>, std::string> cfopsFeitos_;
    std::map<std::tuple<bool, std::uint32_t, std::string>, Parte> partes_;
    std::string empresaCnpj_, empresaIe_, empresaUf_;
    std::set<std::string> lista_;
    std::vector<Decimal> ordem_;
    std::map<std::tuple<int, int>, CfoAusente> ausentes_;
    std::vector<ValorRecusado> recusas_;
    ContadoresArquivo c_;
};

}  // namespace

ResultadoMagnetico GravaArquivoMagnetico(const PedidoArquivo& pedido, AvisosArquivo& avisos) {
    return Gravador(pedido, avisos).Executa();
}

}  // namespace vorel::computation

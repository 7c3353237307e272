// A register fixture with a working company: company 1's folders under the data root, its
// per-company and per-year (2016) table names applied (suppliers and products in the office's shared files), the data
// root in PastaRaiz, the working period March 2016 and a logged-in user.
#pragma once

#include "register_fixture.h"

#include "vorel/dictionary/folders.h"
#include "vorel/shell/globals.h"

namespace vorel::registers::testing {

struct CompanyFixture : RegisterFixture {
    void SetUp() override {
        RegisterFixture::SetUp();
        auto c = dictionary::CaminhosArquivosEmpresa(root, 1, 0, 0);
        ASSERT_FALSE(dictionary::CriaPastas(c));
        dictionary::AplicaCaminhos(c);
        auto a = dictionary::CaminhosArquivosAno(root, 1, 2016);
        ASSERT_FALSE(dictionary::CriaPastas(a));
        dictionary::AplicaCaminhos(a);
        shell::PastaRaiz.Set(root);
        shell::GLO_EMPRESA_CODIGO.Set(1);
        shell::GLO_ANO.Set(2016);
        shell::GLO_MES.Set(3);
        shell::GLO_LOGIN.Set("SUPERVISORA-DO-ESCRITORIO");
    }
    void TearDown() override {
        shell::GLO_EMPRESA_CODIGO.Set(0);
        RegisterFixture::TearDown();
    }
};

}  // namespace vorel::registers::testing

#include "runtime/io_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "runtime/errors.h"

namespace {

TEST(IoError, SystemErrorsMapToTheirCodeAndText) {
  const struct {
    int error_number;
    int code;
    const char* text;
  } rows[] = {
      {EACCES, 5, "Accès au fichier refusé"},
      {EPERM, 5, "Accès au fichier refusé"},
      {EROFS, 5, "Accès au fichier refusé"},
      {EISDIR, 5, "Accès au fichier refusé"},
      {ENOENT, 3, "Nom de fichier incorrect"},
      {ENOTDIR, 3, "Nom de fichier incorrect"},
      {ENAMETOOLONG, 3, "Nom de fichier incorrect"},
      {EMFILE, 4, "Trop de fichiers ouverts"},
      {ENFILE, 4, "Trop de fichiers ouverts"},
      {ENOSPC, 112, "Erreur E/S 112"},
      {EDQUOT, 112, "Erreur E/S 112"},
      {EWOULDBLOCK, 32, "Erreur E/S 32"},
      {EIO, 29, "Erreur E/S 29"},
      {EXDEV, 31, "Erreur E/S 31"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.error_number);
    const rt::IoError error(rt::IoCodeFromErrno(row.error_number));
    EXPECT_EQ(error.code(), row.code);
    EXPECT_EQ(error.text(), row.text);
  }
}

TEST(IoError, FixedTextsOfTheCodesTheUserKnows) {
  const struct {
    int code;
    const char* text;
  } rows[] = {
      {2, "Fichier introuvable"},
      {3, "Nom de fichier incorrect"},
      {4, "Trop de fichiers ouverts"},
      {5, "Accès au fichier refusé"},
      {100, "Lecture au-delà de la fin de fichier"},
      {101, "Disque plein"},
      {106, "Saisie numérique incorrecte"},
      {1, "Erreur E/S 1"},
      {32, "Erreur E/S 32"},
  };
  for (const auto& row : rows) EXPECT_EQ(rt::IoErrorText(row.code), row.text) << row.code;
}

}  // namespace

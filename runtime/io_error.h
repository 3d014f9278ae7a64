#pragma once

#include <string>

namespace rt {

// The I/O error codes the program reports, and where each comes from on this system. The codes
// are those of the desktop platform the program's users know, so the texts read as they always
// have.
//
//   code  text                                    raised for
//      2  "Fichier introuvable"                   (not raised here: creating the file never
//                                                  needs it to exist)
//      3  "Nom de fichier incorrect"              ENOENT, ENOTDIR, ENAMETOOLONG, ELOOP
//      4  "Trop de fichiers ouverts"              EMFILE, ENFILE
//      5  "Accès au fichier refusé"               EACCES, EPERM, EROFS, EISDIR, ETXTBSY
//      6  "Erreur E/S 6"                          EBADF (a handle that is not open)
//      8  "Erreur E/S 8"                          ENOMEM
//     29  "Erreur E/S 29"                         EIO (the device failed a write)
//     32  "Erreur E/S 32"                         the file is locked by another program
//     (EWOULDBLOCK
//                                                  on the lock), EBUSY
//     87  "Erreur E/S 87"                         EINVAL
//    100  "Lecture au-delà de la fin de fichier"  (not raised: the program reads no file)
//    101  "Disque plein"                          (not raised: a full disk is 112, as the platform
//                                                  reports it for files opened this way)
//    106  "Saisie numérique incorrecte"           (not raised: the program reads no number)
//    112  "Erreur E/S 112"                        ENOSPC, EDQUOT, EFBIG
//     31  "Erreur E/S 31"                         any other system error
enum IoCode : int {
  kIoFileNotFound = 2,
  kIoPathNotFound = 3,
  kIoTooManyOpenFiles = 4,
  kIoAccessDenied = 5,
  kIoInvalidHandle = 6,
  kIoNotEnoughMemory = 8,
  kIoWriteFault = 29,
  kIoGeneralFailure = 31,
  kIoSharingViolation = 32,
  kIoInvalidParameter = 87,
  kIoDiskFull = 112,
};

// The code for a system error number (errno), as in the table above.
int IoCodeFromErrno(int error_number);

// The text for a code: the fixed texts above, "Erreur E/S <code>" for the others.
std::string IoErrorText(int code);

}  // namespace rt

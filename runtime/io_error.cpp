#include "runtime/io_error.h"

#include <cerrno>

namespace rt {

int IoCodeFromErrno(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kIoPathNotFound;
    case EMFILE:
    case ENFILE:
      return kIoTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return kIoAccessDenied;
    case EBADF:
      return kIoInvalidHandle;
    case ENOMEM:
      return kIoNotEnoughMemory;
    case EIO:
      return kIoWriteFault;
    case EWOULDBLOCK:
    case EBUSY:
      return kIoSharingViolation;
    case EINVAL:
      return kIoInvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kIoDiskFull;
    default:
      return kIoGeneralFailure;
  }
}

std::string IoErrorText(int code) {
  switch (code) {
    case 2:
      return "Fichier introuvable";
    case 3:
      return "Nom de fichier incorrect";
    case 4:
      return "Trop de fichiers ouverts";
    case 5:
      return "Accès au fichier refusé";
    case 100:
      return "Lecture au-delà de la fin de fichier";
    case 101:
      return "Disque plein";
    case 106:
      return "Saisie numérique incorrecte";
    default:
      return "Erreur E/S " + std::to_string(code);
  }
}

}  // namespace rt

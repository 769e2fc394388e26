// What a later start of the program hands to the running instance: files to
// open or to print. On the socket each request is its verb followed by its
// file and, to print on a given printer, that printer's name, each a string
// of its own, since a path may hold any character.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace quorbex::platform {

struct InstanceRequest {
    enum class Kind { Open, Print, PrintTo };
    Kind kind;
    QString path;     // absolute
    QString printer;  // PrintTo only: the printer's name, or a PDF file's absolute path

    bool operator==(const InstanceRequest&) const = default;
};

QStringList EncodeRequests(const std::vector<InstanceRequest>& requests);
// The requests that strings hold, up to the first string that begins none.
std::vector<InstanceRequest> DecodeRequests(const QStringList& strings);

}  // namespace quorbex::platform

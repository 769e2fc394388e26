#include "platform/instance_requests.h"

namespace quorbex::platform {

namespace {

const QString REQUEST_OPEN = QStringLiteral("open");
const QString REQUEST_PRINT = QStringLiteral("print");
const QString REQUEST_PRINT_TO = QStringLiteral("printto");

}  // namespace

QStringList EncodeRequests(const std::vector<InstanceRequest>& requests) {
    QStringList strings;
    for (const InstanceRequest& request : requests) {
        switch (request.kind) {
            case InstanceRequest::Kind::Open:
                strings << REQUEST_OPEN << request.path;
                break;
            case InstanceRequest::Kind::Print:
                strings << REQUEST_PRINT << request.path;
                break;
            case InstanceRequest::Kind::PrintTo:
                strings << REQUEST_PRINT_TO << request.path << request.printer;
                break;
        }
    }
    return strings;
}

std::vector<InstanceRequest> DecodeRequests(const QStringList& strings) {
    std::vector<InstanceRequest> requests;
    for (qsizetype i = 0; i < strings.size();) {
        const QString& verb = strings[i];
        if (verb == REQUEST_OPEN && i + 1 < strings.size()) {
            requests.push_back({InstanceRequest::Kind::Open, strings[i + 1], QString()});
            i += 2;
        } else if (verb == REQUEST_PRINT && i + 1 < strings.size()) {
            requests.push_back({InstanceRequest::Kind::Print, strings[i + 1], QString()});
            i += 2;
        } else if (verb == REQUEST_PRINT_TO && i + 2 < strings.size()) {
            requests.push_back({InstanceRequest::Kind::PrintTo, strings[i + 1], strings[i + 2]});
            i += 3;
        } else {
            break;
        }
    }
    return requests;
}

}  // namespace quorbex::platform

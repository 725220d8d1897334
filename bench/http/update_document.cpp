#include "update_document.h"

namespace tarvenne::bench {

std::string ordinaryRecords(std::size_t size, int count) {
    const std::size_t recordSize = (size - gameRecord.size()) / static_cast<std::size_t>(count);
    std::string document;
    document.reserve(size);
    for (int i = 0; i < count; ++i) {
        std::string record = "Game" + std::to_string(i) + "|http://s" + std::to_string(i) +
                             ".example.net/|login.php|Realm+%C4%E3+";
        record.resize(recordSize - 1, 'x');
        document += record + "^";
    }
    document.resize(size - gameRecord.size() - 1, 'x');
    return document + "^" + std::string(gameRecord);
}

std::string oneLetterRecords(std::size_t size) {
    std::string document;
    document.reserve(size);
    while (document.size() + 2 + gameRecord.size() <= size)
        document += "x^";
    document.resize(size - gameRecord.size(), '^');
    return document + std::string(gameRecord);
}

std::string manyFields(std::size_t size) {
    std::string document(gameRecord);
    document.reserve(size);
    while (document.size() + 2 <= size)
        document += "|x";
    document.resize(size, '|');
    return document;
}

} // namespace tarvenne::bench

#include "app/launcher.h"

#include <directory/operator_key.h>
#include <directory/update_document_address.h>

int main(int, char** argv) {
    return tarvenne::ui::runLauncher(argv[0], tarvenne::directory::updateDocumentAddress,
                                     tarvenne::directory::builtInOperatorKey);
}

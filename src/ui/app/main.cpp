#include "app/launcher.h"

#include <directory/operator_key.h>
#include <directory/update_list_url.h>

int main(int, char** argv) {
    return tarvenne::ui::runLauncher(argv[0], tarvenne::directory::updateListUrl,
                                     tarvenne::directory::builtInOperatorKey);
}

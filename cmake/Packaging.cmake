# The Debian package, made by `cpack -G DEB` in the build folder: vemo_<version>_amd64.deb,
# installed under /usr, its dependencies read from the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vemo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Les auteurs de Vemo")
set(CPACK_PACKAGE_CONTACT "Les auteurs de Vemo <support@vemo.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "suivi de championnats de football / football league tracker")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vemo.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the programs load at run time rather than link: Qt's display plugins and its French
# texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# The summary above is the first line of the Description field; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vemo suit vos championnats de football : vous saisissez les résultats
journée par journée, il calcule cinq classements à n'importe quelle journée,
l'historique de chaque équipe, la grille des confrontations et la forme des
équipes, et tient le registre de vos paris. Chaque compétition est un fichier
chiffré. L'outil vemo-cli fait de même en ligne de commande.
.
Vemo follows your football leagues: you enter the results matchday by
matchday, and it computes five standings at any matchday, each team's
history, the cross table and the teams' form, and keeps a record of your
bets. Each competition is an encrypted file. The vemo-cli tool does the same
from the command line.")

include(CPack)

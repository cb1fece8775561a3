<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="fr">
<context>
    <name>AboutPage</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Sans télémétrie</source>
        <translation>Sans télémétrie</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Système</source>
        <translation>Système</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>Le compte n&apos;est pas disponible dans cette version de Nivora.</source>
        <translation>Le compte n&apos;est pas disponible dans cette version de Nivora.</translation>
    </message>
    <message>
        <source>Se déconnecter</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Continuer avec Google</source>
        <translation>Continuer avec Google</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Mot de passe</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Mon compte</source>
        <translation>Mon compte</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Tu es connecté à Nivora.</source>
        <translation>Tu es connecté à Nivora.</translation>
    </message>
    <message>
        <source>Connecte-toi avec le compte créé sur le site.</source>
        <translation>Connecte-toi avec le compte créé sur le site.</translation>
    </message>
    <message>
        <source>Créer un compte</source>
        <translation>Créer un compte</translation>
    </message>
    <message>
        <source>Se connecter</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Créer mon compte</source>
        <translation>Créer mon compte</translation>
    </message>
    <message>
        <source>J&apos;ai déjà un compte</source>
        <translation>J&apos;ai déjà un compte</translation>
    </message>
    <message>
        <source>Pas de compte ? En créer un</source>
        <translation>Pas de compte ? En créer un</translation>
    </message>
    <message>
        <source>ou</source>
        <translation>ou</translation>
    </message>
</context>
<context>
    <name>AccountStore</name>
    <message>
        <source>Réponse invalide du serveur.</source>
        <translation>Réponse invalide du serveur.</translation>
    </message>
    <message>
        <source>Renseigne ton email et ton mot de passe.</source>
        <translation>Renseigne ton email et ton mot de passe.</translation>
    </message>
    <message>
        <source>Email ou mot de passe incorrect.</source>
        <translation>Email ou mot de passe incorrect.</translation>
    </message>
    <message>
        <source>Compte créé ! Confirme ton email, puis connecte-toi.</source>
        <translation>Compte créé ! Confirme ton email, puis connecte-toi.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le navigateur.</source>
        <translation>Impossible d&apos;ouvrir le navigateur.</translation>
    </message>
    <message>
        <source>Session expirée, reconnecte-toi.</source>
        <translation>Session expirée, reconnecte-toi.</translation>
    </message>
    <message>
        <source>Impossible de se connecter au serveur.</source>
        <translation>Impossible de se connecter au serveur.</translation>
    </message>
    <message>
        <source>Un serveur avec le nom d&apos;hôte indiqué est introuvable.</source>
        <translation>Un serveur avec le nom d&apos;hôte indiqué est introuvable.</translation>
    </message>
    <message>
        <source>La requête a expiré.</source>
        <translation>La requête a expiré.</translation>
    </message>
    <message>
        <source>Une erreur SSL s&apos;est produite et une connexion sécurisée au serveur ne peut pas être établie.</source>
        <translation>Une erreur SSL s&apos;est produite et une connexion sécurisée au serveur ne peut pas être établie.</translation>
    </message>
</context>
<context>
    <name>AmbianceWidgetView</name>
    <message>
        <source>AMBIANCE</source>
        <translation>AMBIANCE</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Ouvrir le tableau de bord</source>
        <translation>Ouvrir le tableau de bord</translation>
    </message>
    <message>
        <source>Fond animé</source>
        <translation>Fond animé</translation>
    </message>
    <message>
        <source>Scène précédente</source>
        <translation>Scène précédente</translation>
    </message>
    <message>
        <source>Scène suivante</source>
        <translation>Scène suivante</translation>
    </message>
    <message>
        <source>Quitter Nivora</source>
        <translation>Quitter Nivora</translation>
    </message>
</context>
<context>
    <name>BackendRefusal</name>
    <message>
        <source>il est trop court</source>
        <translation>il est trop court</translation>
    </message>
    <message>
        <source>il lui manque des sortes de caractères (minuscules, majuscules, chiffres ou symboles)</source>
        <translation>il lui manque des sortes de caractères (minuscules, majuscules, chiffres ou symboles)</translation>
    </message>
    <message>
        <source>il figure dans des fuites de mots de passe connues</source>
        <translation>il figure dans des fuites de mots de passe connues</translation>
    </message>
    <message>
        <source>Mot de passe trop faible.</source>
        <translation>Mot de passe trop faible.</translation>
    </message>
    <message>
        <source>Mot de passe trop faible : %1.</source>
        <translation>Mot de passe trop faible : %1.</translation>
    </message>
    <message>
        <source>Email ou mot de passe incorrect.</source>
        <translation>Email ou mot de passe incorrect.</translation>
    </message>
    <message>
        <source>Ton email n&apos;est pas encore confirmé : ouvre le lien reçu, puis connecte-toi.</source>
        <translation>Ton email n&apos;est pas encore confirmé : ouvre le lien reçu, puis connecte-toi.</translation>
    </message>
    <message>
        <source>Un compte existe déjà avec cet email : connecte-toi.</source>
        <translation>Un compte existe déjà avec cet email : connecte-toi.</translation>
    </message>
    <message>
        <source>Trop d&apos;emails envoyés à cette adresse. Réessaie dans quelques minutes.</source>
        <translation>Trop d&apos;emails envoyés à cette adresse. Réessaie dans quelques minutes.</translation>
    </message>
    <message>
        <source>Trop de tentatives. Réessaie dans quelques minutes.</source>
        <translation>Trop de tentatives. Réessaie dans quelques minutes.</translation>
    </message>
    <message>
        <source>Les inscriptions sont fermées pour le moment.</source>
        <translation>Les inscriptions sont fermées pour le moment.</translation>
    </message>
    <message>
        <source>Cette adresse email n&apos;est pas acceptée.</source>
        <translation>Cette adresse email n&apos;est pas acceptée.</translation>
    </message>
    <message>
        <source>Le serveur a répondu : %1</source>
        <translation>Le serveur a répondu : %1</translation>
    </message>
</context>
<context>
    <name>ColorWellRow</name>
    <message>
        <source>Teinte </source>
        <translation>Teinte </translation>
    </message>
</context>
<context>
    <name>ColorsPage</name>
    <message>
        <source>Palettes prédéfinies</source>
        <translation>Palettes prédéfinies</translation>
    </message>
    <message>
        <source>Palette personnalisée</source>
        <translation>Palette personnalisée</translation>
    </message>
    <message>
        <source>Réinitialiser</source>
        <translation>Réinitialiser</translation>
    </message>
</context>
<context>
    <name>ControlBus</name>
    <message>
        <source>commande non prise en charge</source>
        <translation>commande non prise en charge</translation>
    </message>
    <message>
        <source>pas de bus de session D-Bus</source>
        <translation>pas de bus de session D-Bus</translation>
    </message>
    <message>
        <source>aucune instance de Nivora en cours</source>
        <translation>aucune instance de Nivora en cours</translation>
    </message>
    <message>
        <source>réponse inattendue de l&apos;instance en cours</source>
        <translation>réponse inattendue de l&apos;instance en cours</translation>
    </message>
</context>
<context>
    <name>ControlCommands</name>
    <message>
        <source>usage : nivora ctl %1 --screen ÉCRAN …</source>
        <translation>usage : nivora ctl %1 --screen ÉCRAN …</translation>
    </message>
    <message>
        <source>usage : nivora ctl reset --screen ÉCRAN</source>
        <translation>usage : nivora ctl reset --screen ÉCRAN</translation>
    </message>
    <message>
        <source>clé inconnue « %1 » ; clés : %2</source>
        <translation>clé inconnue « %1 » ; clés : %2</translation>
    </message>
    <message>
        <source>usage : nivora ctl set CLÉ JSON</source>
        <translation>usage : nivora ctl set CLÉ JSON</translation>
    </message>
    <message>
        <source>usage : nivora ctl dashboard [SECTION]</source>
        <translation>usage : nivora ctl dashboard [SECTION]</translation>
    </message>
    <message>
        <source>section inconnue « %1 » ; sections : %2</source>
        <translation>section inconnue « %1 » ; sections : %2</translation>
    </message>
    <message>
        <source>adresse nivora:// attendue</source>
        <translation>adresse nivora:// attendue</translation>
    </message>
    <message>
        <source>commande inconnue « %1 » ; commandes : %2</source>
        <translation>commande inconnue « %1 » ; commandes : %2</translation>
    </message>
    <message>
        <source>écran inconnu « %1 » ; écrans : %2</source>
        <translation>écran inconnu « %1 » ; écrans : %2</translation>
    </message>
    <message>
        <source>clé inconnue pour un écran « %1 » ; clés : %2</source>
        <translation>clé inconnue pour un écran « %1 » ; clés : %2</translation>
    </message>
    <message>
        <source>usage : nivora ctl set --screen ÉCRAN CLÉ JSON</source>
        <translation>usage : nivora ctl set --screen ÉCRAN CLÉ JSON</translation>
    </message>
    <message>
        <source>le compte n&apos;est pas disponible dans cette version de Nivora</source>
        <translation>le compte n&apos;est pas disponible dans cette version de Nivora</translation>
    </message>
    <message>
        <source>usage : nivora ctl account [sign-out | google]</source>
        <translation>usage : nivora ctl account [sign-out | google]</translation>
    </message>
</context>
<context>
    <name>CtlCommand</name>
    <message>
        <source>usage : nivora ctl COMMANDE
  get [CLÉ]        affiche tous les réglages en JSON, ou une valeur
  set CLÉ JSON     change un réglage (la valeur est du JSON : 60, true, &quot;video&quot;, [..])
  get --screen NOM [CLÉ]   ce que montre un écran
  set --screen NOM CLÉ JSON   donne à un écran sa propre valeur (mode, média,
                   scène, palette ou réglage fin)
  reset --screen NOM   l&apos;écran suit de nouveau les réglages principaux
  status           les fenêtres de fond d&apos;écran en JSON, avec ce que chacune montre
  next | previous  passe à la scène suivante ou précédente (next : au fichier
                   suivant quand le média est un dossier)
  random           une scène, une palette et des réglages au hasard
  dashboard [SECTION]  ouvre le tableau de bord (sur scenes, media, icons, colors,
                   widgets, displays, performance, about ou account)
  account          le compte en JSON (signedIn, email, busy, errorMessage, configured)
  account sign-out déconnecte le compte
  account google   connexion avec Google dans le navigateur
  popover          ouvre ou ferme la fenêtre de la barre d&apos;état
  quit             quitte l&apos;instance en cours
</source>
        <translation>usage : nivora ctl COMMANDE
  get [CLÉ]        affiche tous les réglages en JSON, ou une valeur
  set CLÉ JSON     change un réglage (la valeur est du JSON : 60, true, &quot;video&quot;, [..])
  get --screen NOM [CLÉ]   ce que montre un écran
  set --screen NOM CLÉ JSON   donne à un écran sa propre valeur (mode, média,
                   scène, palette ou réglage fin)
  reset --screen NOM   l&apos;écran suit de nouveau les réglages principaux
  status           les fenêtres de fond d&apos;écran en JSON, avec ce que chacune montre
  next | previous  passe à la scène suivante ou précédente (next : au fichier
                   suivant quand le média est un dossier)
  random           une scène, une palette et des réglages au hasard
  dashboard [SECTION]  ouvre le tableau de bord (sur scenes, media, icons, colors,
                   widgets, displays, performance, about ou account)
  account          le compte en JSON (signedIn, email, busy, errorMessage, configured)
  account sign-out déconnecte le compte
  account google   connexion avec Google dans le navigateur
  popover          ouvre ou ferme la fenêtre de la barre d&apos;état
  quit             quitte l&apos;instance en cours
</translation>
    </message>
    <message>
        <source>arguments invalides pour « %1 »</source>
        <translation>arguments invalides pour « %1 »</translation>
    </message>
    <message>
        <source>commande inconnue « %1 »</source>
        <translation>commande inconnue « %1 »</translation>
    </message>
    <message>
        <source>échec de la commande : </source>
        <translation>échec de la commande : </translation>
    </message>
</context>
<context>
    <name>DesktopFolderIconStore</name>
    <message>
        <source>dossier introuvable</source>
        <translation>dossier introuvable</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un dossier</source>
        <translation>ce n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>aucun gestionnaire de fichiers ne peut garder d&apos;icône ici (%1)</source>
        <translation>aucun gestionnaire de fichiers ne peut garder d&apos;icône ici (%1)</translation>
    </message>
</context>
<context>
    <name>DialogFilePickers</name>
    <message>
        <source>Choisir des dossiers</source>
        <translation>Choisir des dossiers</translation>
    </message>
    <message>
        <source>Importer une image</source>
        <translation>Importer une image</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Images (%1)</translation>
    </message>
    <message>
        <source>Choisir un fichier</source>
        <translation>Choisir un fichier</translation>
    </message>
    <message>
        <source>Choisir un dossier</source>
        <translation>Choisir un dossier</translation>
    </message>
</context>
<context>
    <name>DisplayList</name>
    <message>
        <source>Écran</source>
        <translation>Écran</translation>
    </message>
    <message>
        <source> · Écran principal</source>
        <translation> · Écran principal</translation>
    </message>
</context>
<context>
    <name>DisplaysPage</name>
    <message>
        <source>La liste se met à jour automatiquement à la connexion ou déconnexion d&apos;un écran.</source>
        <translation>La liste se met à jour automatiquement à la connexion ou déconnexion d&apos;un écran.</translation>
    </message>
    <message>
        <source>Comme l&apos;écran principal</source>
        <translation>Comme l&apos;écran principal</translation>
    </message>
    <message>
        <source>Personnalisé</source>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>%1 : fond d&apos;écran</source>
        <translation>%1 : fond d&apos;écran</translation>
    </message>
</context>
<context>
    <name>Entry</name>
    <message>
        <source>usage : nivora [COMMANDE]
  (sans commande)    démarre Nivora, ou montre le tableau de bord de celui qui tourne
  ctl COMMANDE ...   pilote l&apos;instance en cours (nivora ctl --help)
  render ...         dessine une image d&apos;une scène dans un PNG (nivora render --help)
  pattern ...        dessine un motif de dossier dans un PNG (nivora pattern --help)
  folder-icon ...    habille des dossiers d&apos;un motif ou d&apos;une image, ou l&apos;enlève
  nivora://...       passe un retour de connexion à l&apos;instance en cours
  --autostart        démarre sans écran d&apos;accueil ni tableau de bord (démarrage à l&apos;ouverture de session)
  --version          affiche la version
</source>
        <translation>usage : nivora [COMMANDE]
  (sans commande)    démarre Nivora, ou montre le tableau de bord de celui qui tourne
  ctl COMMANDE ...   pilote l&apos;instance en cours (nivora ctl --help)
  render ...         dessine une image d&apos;une scène dans un PNG (nivora render --help)
  pattern ...        dessine un motif de dossier dans un PNG (nivora pattern --help)
  folder-icon ...    habille des dossiers d&apos;un motif ou d&apos;une image, ou l&apos;enlève
  nivora://...       passe un retour de connexion à l&apos;instance en cours
  --autostart        démarre sans écran d&apos;accueil ni tableau de bord (démarrage à l&apos;ouverture de session)
  --version          affiche la version
</translation>
    </message>
    <message>
        <source>l&apos;instance en cours ne répond pas : %1</source>
        <translation>l&apos;instance en cours ne répond pas : %1</translation>
    </message>
    <message>
        <source>une seule adresse nivora:// est attendue</source>
        <translation>une seule adresse nivora:// est attendue</translation>
    </message>
    <message>
        <source>retour de connexion ignoré : %1</source>
        <translation>retour de connexion ignoré : %1</translation>
    </message>
    <message>
        <source>argument inconnu « %1 »</source>
        <translation>argument inconnu « %1 »</translation>
    </message>
</context>
<context>
    <name>FolderIconReport</name>
    <message>
        <source>« %1 »</source>
        <translation>« %1 »</translation>
    </message>
    <message>
        <source>1 dossier</source>
        <translation>1 dossier</translation>
    </message>
    <message>
        <source>%1 dossiers</source>
        <translation>%1 dossiers</translation>
    </message>
    <message>
        <source>Image illisible : %1</source>
        <translation>Image illisible : %1</translation>
    </message>
    <message>
        <source> et 1 autre</source>
        <translation> et 1 autre</translation>
    </message>
    <message>
        <source> et %1 autres</source>
        <translation> et %1 autres</translation>
    </message>
    <message>
        <source> et </source>
        <translation> et </translation>
    </message>
    <message>
        <source>Icône appliquée ✓</source>
        <translation>Icône appliquée ✓</translation>
    </message>
    <message>
        <source>Icône appliquée à %1 dossiers ✓</source>
        <translation>Icône appliquée à %1 dossiers ✓</translation>
    </message>
    <message>
        <source>de %1</source>
        <translation>de %1</translation>
    </message>
    <message>
        <source>de ces %1 dossiers</source>
        <translation>de ces %1 dossiers</translation>
    </message>
    <message>
        <source>Impossible de changer l&apos;icône %1</source>
        <translation>Impossible de changer l&apos;icône %1</translation>
    </message>
    <message>
        <source>Impossible de restaurer l&apos;icône %1</source>
        <translation>Impossible de restaurer l&apos;icône %1</translation>
    </message>
    <message>
        <source>Rien à restaurer : %1 n&apos;a pas d&apos;icône de Nivora</source>
        <translation>Rien à restaurer : %1 n&apos;a pas d&apos;icône de Nivora</translation>
    </message>
    <message>
        <source>Rien à restaurer : ces %1 dossiers n&apos;ont pas d&apos;icône de Nivora</source>
        <translation>Rien à restaurer : ces %1 dossiers n&apos;ont pas d&apos;icône de Nivora</translation>
    </message>
    <message>
        <source>%1 sur %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Icône appliquée à %1</source>
        <translation>Icône appliquée à %1</translation>
    </message>
    <message>
        <source>Icônes d&apos;origine restaurées pour %1</source>
        <translation>Icônes d&apos;origine restaurées pour %1</translation>
    </message>
    <message>
        <source>échec pour %1</source>
        <translation>échec pour %1</translation>
    </message>
    <message>
        <source>rien à restaurer pour %1</source>
        <translation>rien à restaurer pour %1</translation>
    </message>
</context>
<context>
    <name>FolderIconService</name>
    <message>
        <source>aucune icône à écrire</source>
        <translation>aucune icône à écrire</translation>
    </message>
    <message>
        <source>icône impossible à encoder : %1</source>
        <translation>icône impossible à encoder : %1</translation>
    </message>
    <message>
        <source>dossier des icônes impossible à créer : %1</source>
        <translation>dossier des icônes impossible à créer : %1</translation>
    </message>
    <message>
        <source>icône impossible à écrire : %1</source>
        <translation>icône impossible à écrire : %1</translation>
    </message>
</context>
<context>
    <name>FolderPattern</name>
    <message>
        <source>Pois</source>
        <translation>Pois</translation>
    </message>
    <message>
        <source>Rétro</source>
        <translation>Rétro</translation>
    </message>
    <message>
        <source>Pois nuit</source>
        <translation>Pois nuit</translation>
    </message>
    <message>
        <source>Marine</source>
        <translation>Marine</translation>
    </message>
    <message>
        <source>Damier</source>
        <translation>Damier</translation>
    </message>
    <message>
        <source>Géométrique</source>
        <translation>Géométrique</translation>
    </message>
    <message>
        <source>Arlequin</source>
        <translation>Arlequin</translation>
    </message>
    <message>
        <source>Arlequin or</source>
        <translation>Arlequin or</translation>
    </message>
    <message>
        <source>Antique</source>
        <translation>Antique</translation>
    </message>
    <message>
        <source>Éclats</source>
        <translation>Éclats</translation>
    </message>
    <message>
        <source>Linogravure</source>
        <translation>Linogravure</translation>
    </message>
    <message>
        <source>Étoiles</source>
        <translation>Étoiles</translation>
    </message>
    <message>
        <source>Nuit</source>
        <translation>Nuit</translation>
    </message>
    <message>
        <source>Écailles</source>
        <translation>Écailles</translation>
    </message>
    <message>
        <source>Océan</source>
        <translation>Océan</translation>
    </message>
    <message>
        <source>Écailles corail</source>
        <translation>Écailles corail</translation>
    </message>
    <message>
        <source>Corail</source>
        <translation>Corail</translation>
    </message>
    <message>
        <source>Quadrillage</source>
        <translation>Quadrillage</translation>
    </message>
    <message>
        <source>Bureau</source>
        <translation>Bureau</translation>
    </message>
    <message>
        <source>Rayures</source>
        <translation>Rayures</translation>
    </message>
    <message>
        <source>Cabine</source>
        <translation>Cabine</translation>
    </message>
    <message>
        <source>Vichy</source>
        <translation>Vichy</translation>
    </message>
    <message>
        <source>Pique-nique</source>
        <translation>Pique-nique</translation>
    </message>
    <message>
        <source>Chevron</source>
        <translation>Chevron</translation>
    </message>
    <message>
        <source>Terrazzo</source>
        <translation>Terrazzo</translation>
    </message>
    <message>
        <source>Atelier</source>
        <translation>Atelier</translation>
    </message>
    <message>
        <source>Fleurs</source>
        <translation>Fleurs</translation>
    </message>
    <message>
        <source>Jardin</source>
        <translation>Jardin</translation>
    </message>
    <message>
        <source>Bulles</source>
        <translation>Bulles</translation>
    </message>
    <message>
        <source>Festif</source>
        <translation>Festif</translation>
    </message>
    <message>
        <source>Mosaïque</source>
        <translation>Mosaïque</translation>
    </message>
    <message>
        <source>Houle</source>
        <translation>Houle</translation>
    </message>
    <message>
        <source>Bord de mer</source>
        <translation>Bord de mer</translation>
    </message>
    <message>
        <source>Confettis</source>
        <translation>Confettis</translation>
    </message>
    <message>
        <source>Fête</source>
        <translation>Fête</translation>
    </message>
    <message>
        <source>Cœurs</source>
        <translation>Cœurs</translation>
    </message>
    <message>
        <source>Tendre</source>
        <translation>Tendre</translation>
    </message>
    <message>
        <source>Pied-de-poule</source>
        <translation>Pied-de-poule</translation>
    </message>
    <message>
        <source>Couture</source>
        <translation>Couture</translation>
    </message>
    <message>
        <source>Pied-de-poule bleu</source>
        <translation>Pied-de-poule bleu</translation>
    </message>
    <message>
        <source>Hachures</source>
        <translation>Hachures</translation>
    </message>
    <message>
        <source>Croquis</source>
        <translation>Croquis</translation>
    </message>
    <message>
        <source>Hachures encre</source>
        <translation>Hachures encre</translation>
    </message>
    <message>
        <source>Zigzag</source>
        <translation>Zigzag</translation>
    </message>
    <message>
        <source>Graphique</source>
        <translation>Graphique</translation>
    </message>
    <message>
        <source>Zigzag menthe</source>
        <translation>Zigzag menthe</translation>
    </message>
    <message>
        <source>Losanges</source>
        <translation>Losanges</translation>
    </message>
    <message>
        <source>Losanges nuit</source>
        <translation>Losanges nuit</translation>
    </message>
    <message>
        <source>Nid d&apos;abeille</source>
        <translation>Nid d&apos;abeille</translation>
    </message>
    <message>
        <source>Ruche</source>
        <translation>Ruche</translation>
    </message>
    <message>
        <source>Hexagones</source>
        <translation>Hexagones</translation>
    </message>
    <message>
        <source>Croix</source>
        <translation>Croix</translation>
    </message>
    <message>
        <source>Scandinave</source>
        <translation>Scandinave</translation>
    </message>
    <message>
        <source>Croix marine</source>
        <translation>Croix marine</translation>
    </message>
    <message>
        <source>Anneaux</source>
        <translation>Anneaux</translation>
    </message>
    <message>
        <source>Anneaux or</source>
        <translation>Anneaux or</translation>
    </message>
    <message>
        <source>Fines rayures</source>
        <translation>Fines rayures</translation>
    </message>
    <message>
        <source>Tennis</source>
        <translation>Tennis</translation>
    </message>
    <message>
        <source>Feuillage</source>
        <translation>Feuillage</translation>
    </message>
    <message>
        <source>Feuillage automne</source>
        <translation>Feuillage automne</translation>
    </message>
    <message>
        <source>Vermicelles</source>
        <translation>Vermicelles</translation>
    </message>
    <message>
        <source>Gourmand</source>
        <translation>Gourmand</translation>
    </message>
    <message>
        <source>Vermicelles nuit</source>
        <translation>Vermicelles nuit</translation>
    </message>
    <message>
        <source>Pois menthe</source>
        <translation>Pois menthe</translation>
    </message>
    <message>
        <source>Pastel</source>
        <translation>Pastel</translation>
    </message>
    <message>
        <source>Pois lavande</source>
        <translation>Pois lavande</translation>
    </message>
    <message>
        <source>Damier corail</source>
        <translation>Damier corail</translation>
    </message>
    <message>
        <source>Étoiles or</source>
        <translation>Étoiles or</translation>
    </message>
    <message>
        <source>Écailles nuit</source>
        <translation>Écailles nuit</translation>
    </message>
    <message>
        <source>Cœurs nuit</source>
        <translation>Cœurs nuit</translation>
    </message>
    <message>
        <source>Houle corail</source>
        <translation>Houle corail</translation>
    </message>
    <message>
        <source>Chevron menthe</source>
        <translation>Chevron menthe</translation>
    </message>
    <message>
        <source>Terrazzo nuit</source>
        <translation>Terrazzo nuit</translation>
    </message>
    <message>
        <source>Confettis pastel</source>
        <translation>Confettis pastel</translation>
    </message>
    <message>
        <source>Fleurs bleues</source>
        <translation>Fleurs bleues</translation>
    </message>
    <message>
        <source>Mosaïque océan</source>
        <translation>Mosaïque océan</translation>
    </message>
</context>
<context>
    <name>GioCustomIcon</name>
    <message>
        <source>le gestionnaire de fichiers n&apos;a pas gardé l&apos;icône</source>
        <translation>le gestionnaire de fichiers n&apos;a pas gardé l&apos;icône</translation>
    </message>
    <message>
        <source>le gestionnaire de fichiers a gardé l&apos;icône</source>
        <translation>le gestionnaire de fichiers a gardé l&apos;icône</translation>
    </message>
</context>
<context>
    <name>IconsPage</name>
    <message>
        <source>Dossiers cibles</source>
        <translation>Dossiers cibles</translation>
    </message>
    <message>
        <source>Choisir des dossiers…</source>
        <translation>Choisir des dossiers…</translation>
    </message>
    <message>
        <source>Remettre les icônes d&apos;origine</source>
        <translation>Remettre les icônes d&apos;origine</translation>
    </message>
    <message>
        <source>Motifs (sur dossier système)</source>
        <translation>Motifs (sur dossier système)</translation>
    </message>
    <message>
        <source>Importer une image…</source>
        <translation>Importer une image…</translation>
    </message>
    <message>
        <source>Chaque motif est plaqué sur la forme exacte du dossier du système.</source>
        <translation>Chaque motif est plaqué sur la forme exacte du dossier du système.</translation>
    </message>
    <message>
        <source>Aucun dossier choisi</source>
        <translation>Aucun dossier choisi</translation>
    </message>
    <message>
        <source>%1 dossiers sélectionnés</source>
        <translation>%1 dossiers sélectionnés</translation>
    </message>
    <message>
        <source>Choisissez d&apos;abord un ou plusieurs dossiers.</source>
        <translation>Choisissez d&apos;abord un ou plusieurs dossiers.</translation>
    </message>
</context>
<context>
    <name>KdeDirectoryFile</name>
    <message>
        <source>« .directory » n&apos;est pas un fichier</source>
        <translation>« .directory » n&apos;est pas un fichier</translation>
    </message>
    <message>
        <source>« .directory » est trop grand</source>
        <translation>« .directory » est trop grand</translation>
    </message>
    <message>
        <source>lecture de « .directory » impossible : %1</source>
        <translation>lecture de « .directory » impossible : %1</translation>
    </message>
    <message>
        <source>écriture de « .directory » impossible : %1</source>
        <translation>écriture de « .directory » impossible : %1</translation>
    </message>
    <message>
        <source>« .directory » n&apos;a pas gardé l&apos;icône</source>
        <translation>« .directory » n&apos;a pas gardé l&apos;icône</translation>
    </message>
    <message>
        <source>suppression de « .directory » impossible : %1</source>
        <translation>suppression de « .directory » impossible : %1</translation>
    </message>
    <message>
        <source>« .directory » a gardé l&apos;icône</source>
        <translation>« .directory » a gardé l&apos;icône</translation>
    </message>
</context>
<context>
    <name>MediaFileTypes</name>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Vidéos</source>
        <translation>Vidéos</translation>
    </message>
    <message>
        <source>Aucun fichier choisi</source>
        <translation>Aucun fichier choisi</translation>
    </message>
</context>
<context>
    <name>MediaLocation</name>
    <message>
        <source>%1: une liste de lecture n&apos;est ni une vidéo ni une image : %2</source>
        <translation>%1: une liste de lecture n&apos;est ni une vidéo ni une image : %2</translation>
    </message>
    <message>
        <source>%1: une adresse n&apos;est pas un fichier : %2</source>
        <translation>%1: une adresse n&apos;est pas un fichier : %2</translation>
    </message>
    <message>
        <source>%1: chemin relatif, un chemin absolu est attendu : %2</source>
        <translation>%1: chemin relatif, un chemin absolu est attendu : %2</translation>
    </message>
    <message>
        <source>%1: fichier introuvable : %2</source>
        <translation>%1: fichier introuvable : %2</translation>
    </message>
</context>
<context>
    <name>MediaPage</name>
    <message>
        <source>Adresse refusée</source>
        <translation>Adresse refusée</translation>
    </message>
    <message>
        <source>Liste de lecture refusée</source>
        <translation>Liste de lecture refusée</translation>
    </message>
    <message>
        <source>Type de fond</source>
        <translation>Type de fond</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>Fichier illisible</source>
        <translation>Fichier illisible</translation>
    </message>
    <message>
        <source>Ce fichier a fait planter Nivora ; le fond animé le remplace.</source>
        <translation>Ce fichier a fait planter Nivora ; le fond animé le remplace.</translation>
    </message>
    <message>
        <source>Choisir un fichier…</source>
        <translation>Choisir un fichier…</translation>
    </message>
    <message>
        <source>Choisir un dossier…</source>
        <translation>Choisir un dossier…</translation>
    </message>
    <message>
        <source>Étendre sur tous les écrans</source>
        <translation>Étendre sur tous les écrans</translation>
    </message>
    <message>
        <source>Une seule image sur l&apos;ensemble des écrans</source>
        <translation>Une seule image sur l&apos;ensemble des écrans</translation>
    </message>
    <message>
        <source>Intervalle</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>Aléatoire</source>
        <translation>Aléatoire</translation>
    </message>
    <message>
        <source>Les fichiers du dossier dans le désordre</source>
        <translation>Les fichiers du dossier dans le désordre</translation>
    </message>
    <message>
        <source>Suivant</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Qualité d&apos;image</source>
        <translation>Qualité d&apos;image</translation>
    </message>
    <message>
        <source>Résolution de rendu</source>
        <translation>Résolution de rendu</translation>
    </message>
    <message>
        <source>Netteté</source>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>La résolution agit sur les scènes animées (plus bas = plus fluide).</source>
        <translation>La résolution agit sur les scènes animées (plus bas = plus fluide).</translation>
    </message>
</context>
<context>
    <name>MenuBarView</name>
    <message>
        <source>Fond animé</source>
        <translation>Fond animé</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Ouvrir le tableau de bord</source>
        <translation>Ouvrir le tableau de bord</translation>
    </message>
    <message>
        <source>Quitter Nivora</source>
        <translation>Quitter Nivora</translation>
    </message>
    <message>
        <source>Actif</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>En pause</source>
        <translation>En pause</translation>
    </message>
</context>
<context>
    <name>NavSection</name>
    <message>
        <source>Scènes</source>
        <translation>Scènes</translation>
    </message>
    <message>
        <source>Média</source>
        <translation>Média</translation>
    </message>
    <message>
        <source>Icônes</source>
        <translation>Icônes</translation>
    </message>
    <message>
        <source>Couleurs</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Écrans</source>
        <translation>Écrans</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>À propos</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Compte</source>
        <translation>Compte</translation>
    </message>
</context>
<context>
    <name>OriginalFolderIcons</name>
    <message>
        <source>registre des icônes d&apos;origine illisible : %1</source>
        <translation>registre des icônes d&apos;origine illisible : %1</translation>
    </message>
    <message>
        <source>registre des icônes d&apos;origine impossible à effacer : %1</source>
        <translation>registre des icônes d&apos;origine impossible à effacer : %1</translation>
    </message>
    <message>
        <source>registre des icônes d&apos;origine impossible à écrire : %1</source>
        <translation>registre des icônes d&apos;origine impossible à écrire : %1</translation>
    </message>
</context>
<context>
    <name>PageHeaders</name>
    <message>
        <source>Galerie vivante</source>
        <translation>Galerie vivante</translation>
    </message>
    <message>
        <source>Scènes</source>
        <translation>Scènes</translation>
    </message>
    <message>
        <source>Choisissez une ambiance et façonnez-la en direct.</source>
        <translation>Choisissez une ambiance et façonnez-la en direct.</translation>
    </message>
    <message>
        <source>Source du fond</source>
        <translation>Source du fond</translation>
    </message>
    <message>
        <source>Média</source>
        <translation>Média</translation>
    </message>
    <message>
        <source>Une scène animée, ou votre propre vidéo ou image.</source>
        <translation>Une scène animée, ou votre propre vidéo ou image.</translation>
    </message>
    <message>
        <source>Dossiers</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Icônes</source>
        <translation>Icônes</translation>
    </message>
    <message>
        <source>Habillez un ou plusieurs dossiers à la fois.</source>
        <translation>Habillez un ou plusieurs dossiers à la fois.</translation>
    </message>
    <message>
        <source>Identité chromatique</source>
        <translation>Identité chromatique</translation>
    </message>
    <message>
        <source>Couleurs</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Appliquez une palette ou composez la vôtre — en direct.</source>
        <translation>Appliquez une palette ou composez la vôtre — en direct.</translation>
    </message>
    <message>
        <source>Bureau</source>
        <translation>Bureau</translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Activez des modules et glissez-les où vous voulez sur le bureau.</source>
        <translation>Activez des modules et glissez-les où vous voulez sur le bureau.</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Écrans</source>
        <translation>Écrans</translation>
    </message>
    <message>
        <source>Activez le fond animé écran par écran.</source>
        <translation>Activez le fond animé écran par écran.</translation>
    </message>
    <message>
        <source>Moteur</source>
        <translation>Moteur</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Fluidité et économie d&apos;énergie.</source>
        <translation>Fluidité et économie d&apos;énergie.</translation>
    </message>
    <message>
        <source>Le projet</source>
        <translation>Le projet</translation>
    </message>
    <message>
        <source>À propos</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Nivora — fonds animés GPU, faits main.</source>
        <translation>Nivora — fonds animés GPU, faits main.</translation>
    </message>
    <message>
        <source>Compte</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Connecte-toi avec le compte créé sur le site.</source>
        <translation>Connecte-toi avec le compte créé sur le site.</translation>
    </message>
</context>
<context>
    <name>PerformancePage</name>
    <message>
        <source>L&apos;image de l&apos;aperçu n&apos;a pas pu être rendue ; GNOME garde la précédente.</source>
        <translation>L&apos;image de l&apos;aperçu n&apos;a pas pu être rendue ; GNOME garde la précédente.</translation>
    </message>
    <message>
        <source>Sous GNOME, la pause sous les apps Wayland en plein écran passe par l&apos;extension de Nivora : déconnecte-toi puis reconnecte-toi une fois pour que GNOME la charge.</source>
        <translation>Sous GNOME, la pause sous les apps Wayland en plein écran passe par l&apos;extension de Nivora : déconnecte-toi puis reconnecte-toi une fois pour que GNOME la charge.</translation>
    </message>
    <message>
        <source>GNOME n&apos;a pas activé l&apos;extension de Nivora : seules les fenêtres X11 en plein écran mettent le fond en pause. Vérifie l&apos;app Extensions.</source>
        <translation>GNOME n&apos;a pas activé l&apos;extension de Nivora : seules les fenêtres X11 en plein écran mettent le fond en pause. Vérifie l&apos;app Extensions.</translation>
    </message>
    <message>
        <source>Images par seconde</source>
        <translation>Images par seconde</translation>
    </message>
    <message>
        <source> FPS</source>
        <translation> FPS</translation>
    </message>
    <message>
        <source>Économie de batterie</source>
        <translation>Économie de batterie</translation>
    </message>
    <message>
        <source>Limite à 30 FPS en mode économie d&apos;énergie</source>
        <translation>Limite à 30 FPS en mode économie d&apos;énergie</translation>
    </message>
    <message>
        <source>Pause en plein écran</source>
        <translation>Pause en plein écran</translation>
    </message>
    <message>
        <source>Met le rendu en pause quand une app couvre le bureau</source>
        <translation>Met le rendu en pause quand une app couvre le bureau</translation>
    </message>
    <message>
        <source>Assortir l&apos;aperçu et l&apos;écran de verrouillage</source>
        <translation>Assortir l&apos;aperçu et l&apos;écran de verrouillage</translation>
    </message>
    <message>
        <source>Montre ton fond Nivora dans l&apos;aperçu de GNOME et sur l&apos;écran de verrouillage</source>
        <translation>Montre ton fond Nivora dans l&apos;aperçu de GNOME et sur l&apos;écran de verrouillage</translation>
    </message>
    <message>
        <source>Lancer au démarrage</source>
        <translation>Lancer au démarrage</translation>
    </message>
    <message>
        <source>Démarre Nivora à l&apos;ouverture de session</source>
        <translation>Démarre Nivora à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Sous le capot</source>
        <translation>Sous le capot</translation>
    </message>
    <message>
        <source>Optimisé</source>
        <translation>Optimisé</translation>
    </message>
    <message>
        <source>Résolution plafonnée et shader compilé une seule fois.</source>
        <translation>Résolution plafonnée et shader compilé une seule fois.</translation>
    </message>
    <message>
        <source>Vie privée</source>
        <translation>Vie privée</translation>
    </message>
    <message>
        <source>100 % local, sans compte, sans télémétrie.</source>
        <translation>100 % local, sans compte, sans télémétrie.</translation>
    </message>
    <message>
        <source>Vidéo décodée par la carte graphique</source>
        <translation>Vidéo décodée par la carte graphique</translation>
    </message>
    <message>
        <source>Décodage matériel (%1) et rendu OpenGL : les images ne passent pas par le processeur.</source>
        <translation>Décodage matériel (%1) et rendu OpenGL : les images ne passent pas par le processeur.</translation>
    </message>
    <message>
        <source>Vidéo décodée par le processeur, rendue par OpenGL</source>
        <translation>Vidéo décodée par le processeur, rendue par OpenGL</translation>
    </message>
    <message>
        <source>Pas d&apos;accélération graphique ici : OpenGL dessine aussi chaque image sur le processeur.</source>
        <translation>Pas d&apos;accélération graphique ici : OpenGL dessine aussi chaque image sur le processeur.</translation>
    </message>
    <message>
        <source>La carte graphique ne décode pas ce format ; elle affiche et met à l&apos;échelle chaque image.</source>
        <translation>La carte graphique ne décode pas ce format ; elle affiche et met à l&apos;échelle chaque image.</translation>
    </message>
    <message>
        <source>Vidéo décodée par le processeur</source>
        <translation>Vidéo décodée par le processeur</translation>
    </message>
    <message>
        <source>Chaque image est copiée vers le compositeur ; une scène animée coûte moins.</source>
        <translation>Chaque image est copiée vers le compositeur ; une scène animée coûte moins.</translation>
    </message>
    <message>
        <source>Décodage logiciel ; une scène animée coûte moins.</source>
        <translation>Décodage logiciel ; une scène animée coûte moins.</translation>
    </message>
    <message>
        <source>Image décodée une fois</source>
        <translation>Image décodée une fois</translation>
    </message>
    <message>
        <source>Aucun rendu continu ; seule une image animée change d&apos;image.</source>
        <translation>Aucun rendu continu ; seule une image animée change d&apos;image.</translation>
    </message>
    <message>
        <source>Rendu OpenGL, copié vers le compositeur</source>
        <translation>Rendu OpenGL, copié vers le compositeur</translation>
    </message>
    <message>
        <source>Chaque image passe par la mémoire partagée du compositeur.</source>
        <translation>Chaque image passe par la mémoire partagée du compositeur.</translation>
    </message>
    <message>
        <source>Pas d&apos;accélération graphique ici : le processeur dessine chaque image, à résolution plafonnée, et le serveur X l&apos;agrandit.</source>
        <translation>Pas d&apos;accélération graphique ici : le processeur dessine chaque image, à résolution plafonnée, et le serveur X l&apos;agrandit.</translation>
    </message>
    <message>
        <source>Rendu OpenGL relu par le processeur</source>
        <translation>Rendu OpenGL relu par le processeur</translation>
    </message>
    <message>
        <source>Chaque image est relue en mémoire puis agrandie par le serveur X.</source>
        <translation>Chaque image est relue en mémoire puis agrandie par le serveur X.</translation>
    </message>
    <message>
        <source>Rendu OpenGL sur le processeur</source>
        <translation>Rendu OpenGL sur le processeur</translation>
    </message>
    <message>
        <source>Pas d&apos;accélération graphique ici : le processeur dessine chaque image, à résolution plafonnée.</source>
        <translation>Pas d&apos;accélération graphique ici : le processeur dessine chaque image, à résolution plafonnée.</translation>
    </message>
    <message>
        <source>Rendu 100 % GPU (OpenGL)</source>
        <translation>Rendu 100 % GPU (OpenGL)</translation>
    </message>
    <message>
        <source>Aucun décodage logiciel — léger pour le processeur.</source>
        <translation>Aucun décodage logiciel — léger pour le processeur.</translation>
    </message>
</context>
<context>
    <name>PreviewCard</name>
    <message>
        <source>Scène précédente</source>
        <translation>Scène précédente</translation>
    </message>
    <message>
        <source>Scène suivante</source>
        <translation>Scène suivante</translation>
    </message>
</context>
<context>
    <name>SceneCatalog</name>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
    <message>
        <source>Voiles de brouillard</source>
        <translation>Voiles de brouillard</translation>
    </message>
    <message>
        <source>Atmosphère</source>
        <translation>Atmosphère</translation>
    </message>
    <message>
        <source>Aurore</source>
        <translation>Aurore</translation>
    </message>
    <message>
        <source>Rideaux de lumière</source>
        <translation>Rideaux de lumière</translation>
    </message>
    <message>
        <source>Maille</source>
        <translation>Maille</translation>
    </message>
    <message>
        <source>Grille vivante</source>
        <translation>Grille vivante</translation>
    </message>
    <message>
        <source>Géométrie</source>
        <translation>Géométrie</translation>
    </message>
    <message>
        <source>Flux</source>
        <translation>Flux</translation>
    </message>
    <message>
        <source>Marbrure mouvante</source>
        <translation>Marbrure mouvante</translation>
    </message>
    <message>
        <source>Fluide</source>
        <translation>Fluide</translation>
    </message>
    <message>
        <source>Plasma</source>
        <translation>Plasma</translation>
    </message>
    <message>
        <source>Champs ondulants</source>
        <translation>Champs ondulants</translation>
    </message>
    <message>
        <source>Relief</source>
        <translation>Relief</translation>
    </message>
    <message>
        <source>Courbes topographiques</source>
        <translation>Courbes topographiques</translation>
    </message>
    <message>
        <source>Vagues</source>
        <translation>Vagues</translation>
    </message>
    <message>
        <source>Houle paisible</source>
        <translation>Houle paisible</translation>
    </message>
    <message>
        <source>Lave</source>
        <translation>Lave</translation>
    </message>
    <message>
        <source>Blobs fondants</source>
        <translation>Blobs fondants</translation>
    </message>
    <message>
        <source>Bandes</source>
        <translation>Bandes</translation>
    </message>
    <message>
        <source>Rubans diagonaux</source>
        <translation>Rubans diagonaux</translation>
    </message>
    <message>
        <source>Fumée</source>
        <translation>Fumée</translation>
    </message>
    <message>
        <source>Volutes ascendantes</source>
        <translation>Volutes ascendantes</translation>
    </message>
    <message>
        <source>Soie</source>
        <translation>Soie</translation>
    </message>
    <message>
        <source>Ondes satinées</source>
        <translation>Ondes satinées</translation>
    </message>
    <message>
        <source>Dégradé</source>
        <translation>Dégradé</translation>
    </message>
    <message>
        <source>Nappe fondue</source>
        <translation>Nappe fondue</translation>
    </message>
    <message>
        <source>Bulles</source>
        <translation>Bulles</translation>
    </message>
    <message>
        <source>Orbes flottantes</source>
        <translation>Orbes flottantes</translation>
    </message>
    <message>
        <source>Pluie</source>
        <translation>Pluie</translation>
    </message>
    <message>
        <source>Averse fluide</source>
        <translation>Averse fluide</translation>
    </message>
    <message>
        <source>Météo</source>
        <translation>Météo</translation>
    </message>
    <message>
        <source>Neige</source>
        <translation>Neige</translation>
    </message>
    <message>
        <source>Flocons à la dérive</source>
        <translation>Flocons à la dérive</translation>
    </message>
</context>
<context>
    <name>SceneHero</name>
    <message>
        <source>EN DIRECT</source>
        <translation>EN DIRECT</translation>
    </message>
    <message>
        <source>Scène précédente</source>
        <translation>Scène précédente</translation>
    </message>
    <message>
        <source>Scène suivante</source>
        <translation>Scène suivante</translation>
    </message>
</context>
<context>
    <name>ScenesPage</name>
    <message>
        <source>Réglages de la scène</source>
        <translation>Réglages de la scène</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Intensité</source>
        <translation>Intensité</translation>
    </message>
    <message>
        <source>Échelle</source>
        <translation>Échelle</translation>
    </message>
    <message>
        <source>Teinte</source>
        <translation>Teinte</translation>
    </message>
    <message>
        <source>Bibliothèque</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>Surprends-moi</source>
        <translation>Surprends-moi</translation>
    </message>
</context>
<context>
    <name>ScreenTargetBar</name>
    <message>
        <source>Écran</source>
        <translation>Écran</translation>
    </message>
</context>
<context>
    <name>SettingsCodec</name>
    <message>
        <source>%1: valeur refusée, valeurs permises : %2</source>
        <translation>%1: valeur refusée, valeurs permises : %2</translation>
    </message>
    <message>
        <source>%1: attendu un objet {widget: %2}, widgets : %3</source>
        <translation>%1: attendu un objet {widget: %2}, widgets : %3</translation>
    </message>
    <message>
        <source>%1: attendu true ou false</source>
        <translation>%1: attendu true ou false</translation>
    </message>
    <message>
        <source>%1: attendu un nombre fini de %2</source>
        <translation>%1: attendu un nombre fini de %2</translation>
    </message>
    <message>
        <source>%1: attendu un entier de %2</source>
        <translation>%1: attendu un entier de %2</translation>
    </message>
    <message>
        <source>%1: valeurs permises : &quot;scene&quot;, &quot;video&quot;, &quot;image&quot;</source>
        <translation>%1: valeurs permises : &quot;scene&quot;, &quot;video&quot;, &quot;image&quot;</translation>
    </message>
    <message>
        <source>%1: attendu un chemin (texte), &quot;&quot; pour aucun</source>
        <translation>%1: attendu un chemin (texte), &quot;&quot; pour aucun</translation>
    </message>
    <message>
        <source>%1: attendu un texte</source>
        <translation>%1: attendu un texte</translation>
    </message>
    <message>
        <source>%1: valeurs permises : &quot;auto&quot;, &quot;fr&quot;, &quot;en&quot;</source>
        <translation>%1: valeurs permises : &quot;auto&quot;, &quot;fr&quot;, &quot;en&quot;</translation>
    </message>
    <message>
        <source>%1: attendu une liste de 5 entiers 0xRRGGBB (0 à 16777215)</source>
        <translation>%1: attendu une liste de 5 entiers 0xRRGGBB (0 à 16777215)</translation>
    </message>
    <message>
        <source>%1: attendu une liste d&apos;identifiants d&apos;écran (0 à 4294967295)</source>
        <translation>%1: attendu une liste d&apos;identifiants d&apos;écran (0 à 4294967295)</translation>
    </message>
    <message>
        <source>%1: attendu une liste parmi %2</source>
        <translation>%1: attendu une liste parmi %2</translation>
    </message>
    <message>
        <source>clé inconnue pour un écran « %1 » ; clés : %2</source>
        <translation>clé inconnue pour un écran « %1 » ; clés : %2</translation>
    </message>
    <message>
        <source>écran « %1 » : attendu un objet {clé: valeur}</source>
        <translation>écran « %1 » : attendu un objet {clé: valeur}</translation>
    </message>
    <message>
        <source>écran « %1 » : %2</source>
        <translation>écran « %1 » : %2</translation>
    </message>
    <message>
        <source>%1: attendu un objet {écran: {clé: valeur}}, clés : %2</source>
        <translation>%1: attendu un objet {écran: {clé: valeur}}, clés : %2</translation>
    </message>
    <message>
        <source>JSON invalide : %1</source>
        <translation>JSON invalide : %1</translation>
    </message>
    <message>
        <source>nombre non fini : %1</source>
        <translation>nombre non fini : %1</translation>
    </message>
    <message>
        <source>clé inconnue « %1 » ; clés : %2</source>
        <translation>clé inconnue « %1 » ; clés : %2</translation>
    </message>
</context>
<context>
    <name>SettingsSchema</name>
    <message>
        <source>%1 à %2</source>
        <translation>%1 à %2</translation>
    </message>
</context>
<context>
    <name>SidebarView</name>
    <message>
        <source>Fond actif</source>
        <translation>Fond actif</translation>
    </message>
    <message>
        <source>Fond en pause</source>
        <translation>Fond en pause</translation>
    </message>
    <message>
        <source>carnet d&apos;ambiances</source>
        <translation>carnet d&apos;ambiances</translation>
    </message>
    <message>
        <source>Quitter Nivora</source>
        <translation>Quitter Nivora</translation>
    </message>
    <message>
        <source> FPS</source>
        <translation> FPS</translation>
    </message>
</context>
<context>
    <name>SplashView</name>
    <message>
        <source>carnet d&apos;ambiances animées</source>
        <translation>carnet d&apos;ambiances animées</translation>
    </message>
</context>
<context>
    <name>TimerFaceAccessibility</name>
    <message>
        <source>Démarrer</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Réinitialiser</source>
        <translation>Réinitialiser</translation>
    </message>
</context>
<context>
    <name>TimerFaceView</name>
    <message>
        <source>FOCUS</source>
        <translation>FOCUS</translation>
    </message>
    <message>
        <source>CHRONO</source>
        <translation>CHRONO</translation>
    </message>
</context>
<context>
    <name>UptimeWidgetView</name>
    <message>
        <source>PC ALLUMÉ DEPUIS</source>
        <translation>PC ALLUMÉ DEPUIS</translation>
    </message>
</context>
<context>
    <name>WallpaperMode</name>
    <message>
        <source>Scène animée</source>
        <translation>Scène animée</translation>
    </message>
    <message>
        <source>Vidéo</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
</context>
<context>
    <name>WallpaperPalette</name>
    <message>
        <source>Silver Sage</source>
        <translation>Silver Sage</translation>
    </message>
    <message>
        <source>Aurore boréale</source>
        <translation>Aurore boréale</translation>
    </message>
    <message>
        <source>Bleu industriel</source>
        <translation>Bleu industriel</translation>
    </message>
    <message>
        <source>Crépuscule</source>
        <translation>Crépuscule</translation>
    </message>
    <message>
        <source>Lavande</source>
        <translation>Lavande</translation>
    </message>
    <message>
        <source>Corail</source>
        <translation>Corail</translation>
    </message>
    <message>
        <source>Forêt</source>
        <translation>Forêt</translation>
    </message>
    <message>
        <source>Sorbet</source>
        <translation>Sorbet</translation>
    </message>
    <message>
        <source>Océan</source>
        <translation>Océan</translation>
    </message>
    <message>
        <source>Crayon</source>
        <translation>Crayon</translation>
    </message>
    <message>
        <source>Sakura</source>
        <translation>Sakura</translation>
    </message>
    <message>
        <source>Agrumes</source>
        <translation>Agrumes</translation>
    </message>
    <message>
        <source>Vaporwave</source>
        <translation>Vaporwave</translation>
    </message>
    <message>
        <source>Terre cuite</source>
        <translation>Terre cuite</translation>
    </message>
    <message>
        <source>Menthe</source>
        <translation>Menthe</translation>
    </message>
    <message>
        <source>Rubis</source>
        <translation>Rubis</translation>
    </message>
    <message>
        <source>Sable</source>
        <translation>Sable</translation>
    </message>
    <message>
        <source>Nuit étoilée</source>
        <translation>Nuit étoilée</translation>
    </message>
    <message>
        <source>Émeraude</source>
        <translation>Émeraude</translation>
    </message>
    <message>
        <source>Glacier</source>
        <translation>Glacier</translation>
    </message>
    <message>
        <source>Automne</source>
        <translation>Automne</translation>
    </message>
    <message>
        <source>Néon nuit</source>
        <translation>Néon nuit</translation>
    </message>
    <message>
        <source>Pêche</source>
        <translation>Pêche</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Mojito</source>
        <translation>Mojito</translation>
    </message>
    <message>
        <source>Cacao</source>
        <translation>Cacao</translation>
    </message>
    <message>
        <source>Mer Égée</source>
        <translation>Mer Égée</translation>
    </message>
    <message>
        <source>Tropical</source>
        <translation>Tropical</translation>
    </message>
    <message>
        <source>Myrtille</source>
        <translation>Myrtille</translation>
    </message>
    <message>
        <source>Or rose</source>
        <translation>Or rose</translation>
    </message>
    <message>
        <source>Pistache</source>
        <translation>Pistache</translation>
    </message>
    <message>
        <source>Améthyste</source>
        <translation>Améthyste</translation>
    </message>
    <message>
        <source>Cuivre</source>
        <translation>Cuivre</translation>
    </message>
    <message>
        <source>Ardoise</source>
        <translation>Ardoise</translation>
    </message>
    <message>
        <source>Flamant</source>
        <translation>Flamant</translation>
    </message>
    <message>
        <source>Jade</source>
        <translation>Jade</translation>
    </message>
    <message>
        <source>Caramel</source>
        <translation>Caramel</translation>
    </message>
    <message>
        <source>Pervenche</source>
        <translation>Pervenche</translation>
    </message>
    <message>
        <source>Mangue</source>
        <translation>Mangue</translation>
    </message>
    <message>
        <source>Lilas givré</source>
        <translation>Lilas givré</translation>
    </message>
    <message>
        <source>Forêt profonde</source>
        <translation>Forêt profonde</translation>
    </message>
    <message>
        <source>Brume rosée</source>
        <translation>Brume rosée</translation>
    </message>
    <message>
        <source>Récif</source>
        <translation>Récif</translation>
    </message>
    <message>
        <source>Tournesol</source>
        <translation>Tournesol</translation>
    </message>
</context>
<context>
    <name>WeekWidgetView</name>
    <message>
        <source>sur 52</source>
        <translation>sur 52</translation>
    </message>
    <message>
        <source>SEMAINE</source>
        <translation>SEMAINE</translation>
    </message>
</context>
<context>
    <name>WeekendWidgetView</name>
    <message>
        <source>C&apos;est le week-end !</source>
        <translation>C&apos;est le week-end !</translation>
    </message>
    <message>
        <source>Bientôt le week-end</source>
        <translation>Bientôt le week-end</translation>
    </message>
    <message>
        <source>AVANT LE WEEK-END</source>
        <translation>AVANT LE WEEK-END</translation>
    </message>
</context>
<context>
    <name>WidgetCatalog</name>
    <message>
        <source>Horloge</source>
        <translation>Horloge</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Ambiance</source>
        <translation>Ambiance</translation>
    </message>
    <message>
        <source>Année</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Week-end</source>
        <translation>Week-end</translation>
    </message>
    <message>
        <source>Allumage</source>
        <translation>Allumage</translation>
    </message>
    <message>
        <source>Semaine</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>Saison</source>
        <translation>Saison</translation>
    </message>
    <message>
        <source>Nouvel an</source>
        <translation>Nouvel an</translation>
    </message>
    <message>
        <source>Chrono</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Mois</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Carte</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Arrondi</source>
        <translation>Arrondi</translation>
    </message>
    <message>
        <source>Pilule</source>
        <translation>Pilule</translation>
    </message>
    <message>
        <source>Cercle</source>
        <translation>Cercle</translation>
    </message>
    <message>
        <source>Petit</source>
        <translation>Petit</translation>
    </message>
    <message>
        <source>Moyen</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Grand</source>
        <translation>Grand</translation>
    </message>
</context>
<context>
    <name>WidgetFaceContent</name>
    <message>
        <source>EEEE d MMMM</source>
        <translation>EEEE d MMMM</translation>
    </message>
    <message>
        <source>MMMM yyyy</source>
        <translation>MMMM yyyy</translation>
    </message>
    <message>
        <source>Jour %1 sur %2</source>
        <translation>Jour %1 sur %2</translation>
    </message>
    <message>
        <source>PROGRESSION DE L&apos;ANNÉE</source>
        <translation>PROGRESSION DE L&apos;ANNÉE</translation>
    </message>
    <message>
        <source>%1 j %2 h</source>
        <translation>%1 j %2 h</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Printemps</source>
        <translation>Printemps</translation>
    </message>
    <message>
        <source>Été</source>
        <translation>Été</translation>
    </message>
    <message>
        <source>Automne</source>
        <translation>Automne</translation>
    </message>
    <message>
        <source>Hiver</source>
        <translation>Hiver</translation>
    </message>
    <message>
        <source>NOUVEL AN %1</source>
        <translation>NOUVEL AN %1</translation>
    </message>
    <message>
        <source>J-%1</source>
        <translation>J-%1</translation>
    </message>
    <message>
        <source>%1 jours restants</source>
        <translation>%1 jours restants</translation>
    </message>
</context>
<context>
    <name>WidgetTile</name>
    <message>
        <source>Activé</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Désactivé</source>
        <translation>Désactivé</translation>
    </message>
</context>
<context>
    <name>WidgetsPage</name>
    <message>
        <source>Astuce : glissez un widget directement sur le bureau pour le déplacer — sa place est mémorisée.</source>
        <translation>Astuce : glissez un widget directement sur le bureau pour le déplacer — sa place est mémorisée.</translation>
    </message>
    <message>
        <source>Modules disponibles</source>
        <translation>Modules disponibles</translation>
    </message>
    <message>
        <source>Afficher la date sous l&apos;horloge</source>
        <translation>Afficher la date sous l&apos;horloge</translation>
    </message>
    <message>
        <source>Jour et mois sous l&apos;heure</source>
        <translation>Jour et mois sous l&apos;heure</translation>
    </message>
    <message>
        <source>Forme &amp; taille</source>
        <translation>Forme &amp; taille</translation>
    </message>
    <message>
        <source>Chaque widget activé peut prendre une autre forme et une autre taille.</source>
        <translation>Chaque widget activé peut prendre une autre forme et une autre taille.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>AboutPage</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Sans télémétrie</source>
        <translation>No telemetry</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Système</source>
        <translation>System</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>Le compte n&apos;est pas disponible dans cette version de Nivora.</source>
        <translation>The account is not available in this version of Nivora.</translation>
    </message>
    <message>
        <source>Se déconnecter</source>
        <translation>Sign out</translation>
    </message>
    <message>
        <source>Continuer avec Google</source>
        <translation>Continue with Google</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Mot de passe</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Mon compte</source>
        <translation>My account</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>Tu es connecté à Nivora.</source>
        <translation>You are signed in to Nivora.</translation>
    </message>
    <message>
        <source>Connecte-toi avec le compte créé sur le site.</source>
        <translation>Sign in with the account you created on the website.</translation>
    </message>
    <message>
        <source>Créer un compte</source>
        <translation>Create an account</translation>
    </message>
    <message>
        <source>Se connecter</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>Créer mon compte</source>
        <translation>Create my account</translation>
    </message>
    <message>
        <source>J&apos;ai déjà un compte</source>
        <translation>I already have an account</translation>
    </message>
    <message>
        <source>Pas de compte ? En créer un</source>
        <translation>No account? Create one</translation>
    </message>
    <message>
        <source>ou</source>
        <translation>or</translation>
    </message>
</context>
<context>
    <name>AccountStore</name>
    <message>
        <source>Réponse invalide du serveur.</source>
        <translation>Invalid answer from the server.</translation>
    </message>
    <message>
        <source>Renseigne ton email et ton mot de passe.</source>
        <translation>Enter your email and your password.</translation>
    </message>
    <message>
        <source>Email ou mot de passe incorrect.</source>
        <translation>Wrong email or password.</translation>
    </message>
    <message>
        <source>Compte créé ! Confirme ton email, puis connecte-toi.</source>
        <translation>Account created! Confirm your email, then sign in.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le navigateur.</source>
        <translation>Cannot open the browser.</translation>
    </message>
    <message>
        <source>Session expirée, reconnecte-toi.</source>
        <translation>Session expired, sign in again.</translation>
    </message>
    <message>
        <source>Impossible de se connecter au serveur.</source>
        <translation>Cannot connect to the server.</translation>
    </message>
    <message>
        <source>Un serveur avec le nom d&apos;hôte indiqué est introuvable.</source>
        <translation>No server with that host name could be found.</translation>
    </message>
    <message>
        <source>La requête a expiré.</source>
        <translation>The request timed out.</translation>
    </message>
    <message>
        <source>Une erreur SSL s&apos;est produite et une connexion sécurisée au serveur ne peut pas être établie.</source>
        <translation>An SSL error occurred and a secure connection to the server cannot be made.</translation>
    </message>
</context>
<context>
    <name>AmbianceWidgetView</name>
    <message>
        <source>AMBIANCE</source>
        <translation>MOOD</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Ouvrir le tableau de bord</source>
        <translation>Open the dashboard</translation>
    </message>
    <message>
        <source>Fond animé</source>
        <translation>Animated wallpaper</translation>
    </message>
    <message>
        <source>Scène précédente</source>
        <translation>Previous scene</translation>
    </message>
    <message>
        <source>Scène suivante</source>
        <translation>Next scene</translation>
    </message>
    <message>
        <source>Quitter Nivora</source>
        <translation>Quit Nivora</translation>
    </message>
</context>
<context>
    <name>BackendRefusal</name>
    <message>
        <source>il est trop court</source>
        <translation>it is too short</translation>
    </message>
    <message>
        <source>il lui manque des sortes de caractères (minuscules, majuscules, chiffres ou symboles)</source>
        <translation>it lacks kinds of characters (lower case, upper case, digits or symbols)</translation>
    </message>
    <message>
        <source>il figure dans des fuites de mots de passe connues</source>
        <translation>it appears in known password leaks</translation>
    </message>
    <message>
        <source>Mot de passe trop faible.</source>
        <translation>Password too weak.</translation>
    </message>
    <message>
        <source>Mot de passe trop faible : %1.</source>
        <translation>Password too weak: %1.</translation>
    </message>
    <message>
        <source>Email ou mot de passe incorrect.</source>
        <translation>Wrong email or password.</translation>
    </message>
    <message>
        <source>Ton email n&apos;est pas encore confirmé : ouvre le lien reçu, puis connecte-toi.</source>
        <translation>Your email is not confirmed yet: open the link you received, then sign in.</translation>
    </message>
    <message>
        <source>Un compte existe déjà avec cet email : connecte-toi.</source>
        <translation>An account already exists with this email: sign in.</translation>
    </message>
    <message>
        <source>Trop d&apos;emails envoyés à cette adresse. Réessaie dans quelques minutes.</source>
        <translation>Too many emails sent to this address. Try again in a few minutes.</translation>
    </message>
    <message>
        <source>Trop de tentatives. Réessaie dans quelques minutes.</source>
        <translation>Too many attempts. Try again in a few minutes.</translation>
    </message>
    <message>
        <source>Les inscriptions sont fermées pour le moment.</source>
        <translation>Sign-ups are closed for now.</translation>
    </message>
    <message>
        <source>Cette adresse email n&apos;est pas acceptée.</source>
        <translation>This email address is not accepted.</translation>
    </message>
    <message>
        <source>Le serveur a répondu : %1</source>
        <translation>The server answered: %1</translation>
    </message>
</context>
<context>
    <name>ColorWellRow</name>
    <message>
        <source>Teinte </source>
        <translation>Tint </translation>
    </message>
</context>
<context>
    <name>ColorsPage</name>
    <message>
        <source>Palettes prédéfinies</source>
        <translation>Preset palettes</translation>
    </message>
    <message>
        <source>Palette personnalisée</source>
        <translation>Custom palette</translation>
    </message>
    <message>
        <source>Réinitialiser</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>ControlBus</name>
    <message>
        <source>commande non prise en charge</source>
        <translation>command not supported</translation>
    </message>
    <message>
        <source>pas de bus de session D-Bus</source>
        <translation>no D-Bus session bus</translation>
    </message>
    <message>
        <source>aucune instance de Nivora en cours</source>
        <translation>no running instance of Nivora</translation>
    </message>
    <message>
        <source>réponse inattendue de l&apos;instance en cours</source>
        <translation>unexpected answer from the running instance</translation>
    </message>
</context>
<context>
    <name>ControlCommands</name>
    <message>
        <source>usage : nivora ctl %1 --screen ÉCRAN …</source>
        <translation>usage: nivora ctl %1 --screen SCREEN …</translation>
    </message>
    <message>
        <source>usage : nivora ctl reset --screen ÉCRAN</source>
        <translation>usage: nivora ctl reset --screen SCREEN</translation>
    </message>
    <message>
        <source>clé inconnue « %1 » ; clés : %2</source>
        <translation>unknown key “%1”; keys: %2</translation>
    </message>
    <message>
        <source>usage : nivora ctl set CLÉ JSON</source>
        <translation>usage: nivora ctl set KEY JSON</translation>
    </message>
    <message>
        <source>usage : nivora ctl dashboard [SECTION]</source>
        <translation>usage: nivora ctl dashboard [SECTION]</translation>
    </message>
    <message>
        <source>section inconnue « %1 » ; sections : %2</source>
        <translation>unknown section “%1”; sections: %2</translation>
    </message>
    <message>
        <source>adresse nivora:// attendue</source>
        <translation>a nivora:// address is expected</translation>
    </message>
    <message>
        <source>commande inconnue « %1 » ; commandes : %2</source>
        <translation>unknown command “%1”; commands: %2</translation>
    </message>
    <message>
        <source>écran inconnu « %1 » ; écrans : %2</source>
        <translation>unknown screen “%1”; screens: %2</translation>
    </message>
    <message>
        <source>clé inconnue pour un écran « %1 » ; clés : %2</source>
        <translation>unknown key for a screen “%1”; keys: %2</translation>
    </message>
    <message>
        <source>usage : nivora ctl set --screen ÉCRAN CLÉ JSON</source>
        <translation>usage: nivora ctl set --screen SCREEN KEY JSON</translation>
    </message>
    <message>
        <source>le compte n&apos;est pas disponible dans cette version de Nivora</source>
        <translation>the account is not available in this version of Nivora</translation>
    </message>
    <message>
        <source>usage : nivora ctl account [sign-out | google]</source>
        <translation>usage: nivora ctl account [sign-out | google]</translation>
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
        <translation>usage: nivora ctl COMMAND
  get [KEY]        print every setting as JSON, or one value
  set KEY JSON     change a setting (the value is JSON: 60, true, &quot;video&quot;, [..])
  get --screen NAME [KEY]   what one screen shows
  set --screen NAME KEY JSON   give one screen a value of its own (mode, media,
                   scene, palette or tuning)
  reset --screen NAME   the screen follows the main settings again
  status           the wallpaper windows as JSON, with what each shows
  next | previous  step to the next or previous scene (next: the next file
                   while the media plays a folder)
  random           a random scene, palette and tuning
  dashboard [SECTION]  open the dashboard (on scenes, media, icons, colors,
                   widgets, displays, performance, about or account)
  account          the account as JSON (signedIn, email, busy, errorMessage, configured)
  account sign-out sign out of the account
  account google   sign in with Google in the browser
  popover          open or close the tray popover
  quit             end the running instance
</translation>
    </message>
    <message>
        <source>arguments invalides pour « %1 »</source>
        <translation>invalid arguments for “%1”</translation>
    </message>
    <message>
        <source>commande inconnue « %1 »</source>
        <translation>unknown command “%1”</translation>
    </message>
    <message>
        <source>échec de la commande : </source>
        <translation>command failed: </translation>
    </message>
</context>
<context>
    <name>DesktopFolderIconStore</name>
    <message>
        <source>dossier introuvable</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un dossier</source>
        <translation>not a folder</translation>
    </message>
    <message>
        <source>aucun gestionnaire de fichiers ne peut garder d&apos;icône ici (%1)</source>
        <translation>no file manager can keep an icon here (%1)</translation>
    </message>
</context>
<context>
    <name>DialogFilePickers</name>
    <message>
        <source>Choisir des dossiers</source>
        <translation>Choose folders</translation>
    </message>
    <message>
        <source>Importer une image</source>
        <translation>Import an image</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Images (%1)</translation>
    </message>
    <message>
        <source>Choisir un fichier</source>
        <translation>Choose a file</translation>
    </message>
    <message>
        <source>Choisir un dossier</source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>DisplayList</name>
    <message>
        <source>Écran</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source> · Écran principal</source>
        <translation> · Main screen</translation>
    </message>
</context>
<context>
    <name>DisplaysPage</name>
    <message>
        <source>La liste se met à jour automatiquement à la connexion ou déconnexion d&apos;un écran.</source>
        <translation>The list updates by itself when a screen is connected or disconnected.</translation>
    </message>
    <message>
        <source>Comme l&apos;écran principal</source>
        <translation>Like the main screen</translation>
    </message>
    <message>
        <source>Personnalisé</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>%1 : fond d&apos;écran</source>
        <translation>%1: wallpaper</translation>
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
        <translation>usage: nivora [COMMAND]
  (no command)       start Nivora, or show the dashboard of the running one
  ctl COMMAND ...    control the running instance (nivora ctl --help)
  render ...         draw one frame of a scene to a PNG (nivora render --help)
  pattern ...        draw a folder pattern to a PNG (nivora pattern --help)
  folder-icon ...    dress folders with a pattern or an image, or undo it
  nivora://...       hand a sign-in callback to the running instance
  --autostart        start without splash or dashboard (the login start)
  --version          print the version
</translation>
    </message>
    <message>
        <source>l&apos;instance en cours ne répond pas : %1</source>
        <translation>the running instance does not answer: %1</translation>
    </message>
    <message>
        <source>une seule adresse nivora:// est attendue</source>
        <translation>a single nivora:// address is expected</translation>
    </message>
    <message>
        <source>retour de connexion ignoré : %1</source>
        <translation>sign-in callback ignored: %1</translation>
    </message>
    <message>
        <source>argument inconnu « %1 »</source>
        <translation>unknown argument “%1”</translation>
    </message>
</context>
<context>
    <name>FolderIconReport</name>
    <message>
        <source>« %1 »</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>1 dossier</source>
        <translation>1 folder</translation>
    </message>
    <message>
        <source>%1 dossiers</source>
        <translation>%1 folders</translation>
    </message>
    <message>
        <source>Image illisible : %1</source>
        <translation>Unreadable image: %1</translation>
    </message>
    <message>
        <source> et 1 autre</source>
        <translation> and 1 other</translation>
    </message>
    <message>
        <source> et %1 autres</source>
        <translation> and %1 others</translation>
    </message>
    <message>
        <source> et </source>
        <translation> and </translation>
    </message>
    <message>
        <source>Icône appliquée ✓</source>
        <translation>Icon applied ✓</translation>
    </message>
    <message>
        <source>Icône appliquée à %1 dossiers ✓</source>
        <translation>Icon applied to %1 folders ✓</translation>
    </message>
    <message>
        <source>de %1</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>de ces %1 dossiers</source>
        <translation>of these %1 folders</translation>
    </message>
    <message>
        <source>Impossible de changer l&apos;icône %1</source>
        <translation>Could not change the icon %1</translation>
    </message>
    <message>
        <source>Impossible de restaurer l&apos;icône %1</source>
        <translation>Could not restore the icon %1</translation>
    </message>
    <message>
        <source>Rien à restaurer : %1 n&apos;a pas d&apos;icône de Nivora</source>
        <translation>Nothing to restore: %1 has no Nivora icon</translation>
    </message>
    <message>
        <source>Rien à restaurer : ces %1 dossiers n&apos;ont pas d&apos;icône de Nivora</source>
        <translation>Nothing to restore: these %1 folders have no Nivora icon</translation>
    </message>
    <message>
        <source>%1 sur %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Icône appliquée à %1</source>
        <translation>Icon applied to %1</translation>
    </message>
    <message>
        <source>Icônes d&apos;origine restaurées pour %1</source>
        <translation>Original icons restored for %1</translation>
    </message>
    <message>
        <source>échec pour %1</source>
        <translation>failed for %1</translation>
    </message>
    <message>
        <source>rien à restaurer pour %1</source>
        <translation>nothing to restore for %1</translation>
    </message>
</context>
<context>
    <name>FolderIconService</name>
    <message>
        <source>aucune icône à écrire</source>
        <translation>no icon to write</translation>
    </message>
    <message>
        <source>icône impossible à encoder : %1</source>
        <translation>cannot encode the icon: %1</translation>
    </message>
    <message>
        <source>dossier des icônes impossible à créer : %1</source>
        <translation>cannot create the icon folder: %1</translation>
    </message>
    <message>
        <source>icône impossible à écrire : %1</source>
        <translation>cannot write the icon: %1</translation>
    </message>
</context>
<context>
    <name>FolderPattern</name>
    <message>
        <source>Pois</source>
        <translation>Dots</translation>
    </message>
    <message>
        <source>Rétro</source>
        <translation>Retro</translation>
    </message>
    <message>
        <source>Pois nuit</source>
        <translation>Night dots</translation>
    </message>
    <message>
        <source>Marine</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>Damier</source>
        <translation>Checkerboard</translation>
    </message>
    <message>
        <source>Géométrique</source>
        <translation>Geometric</translation>
    </message>
    <message>
        <source>Arlequin</source>
        <translation>Harlequin</translation>
    </message>
    <message>
        <source>Arlequin or</source>
        <translation>Gold harlequin</translation>
    </message>
    <message>
        <source>Antique</source>
        <translation>Antique</translation>
    </message>
    <message>
        <source>Éclats</source>
        <translation>Shards</translation>
    </message>
    <message>
        <source>Linogravure</source>
        <translation>Linocut</translation>
    </message>
    <message>
        <source>Étoiles</source>
        <translation>Stars</translation>
    </message>
    <message>
        <source>Nuit</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>Écailles</source>
        <translation>Scales</translation>
    </message>
    <message>
        <source>Océan</source>
        <translation>Ocean</translation>
    </message>
    <message>
        <source>Écailles corail</source>
        <translation>Coral scales</translation>
    </message>
    <message>
        <source>Corail</source>
        <translation>Coral</translation>
    </message>
    <message>
        <source>Quadrillage</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Bureau</source>
        <translation>Office</translation>
    </message>
    <message>
        <source>Rayures</source>
        <translation>Stripes</translation>
    </message>
    <message>
        <source>Cabine</source>
        <translation>Beach hut</translation>
    </message>
    <message>
        <source>Vichy</source>
        <translation>Gingham</translation>
    </message>
    <message>
        <source>Pique-nique</source>
        <translation>Picnic</translation>
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
        <translation>Studio</translation>
    </message>
    <message>
        <source>Fleurs</source>
        <translation>Flowers</translation>
    </message>
    <message>
        <source>Jardin</source>
        <translation>Garden</translation>
    </message>
    <message>
        <source>Bulles</source>
        <translation>Bubbles</translation>
    </message>
    <message>
        <source>Festif</source>
        <translation>Festive</translation>
    </message>
    <message>
        <source>Mosaïque</source>
        <translation>Mosaic</translation>
    </message>
    <message>
        <source>Houle</source>
        <translation>Swell</translation>
    </message>
    <message>
        <source>Bord de mer</source>
        <translation>Seaside</translation>
    </message>
    <message>
        <source>Confettis</source>
        <translation>Confetti</translation>
    </message>
    <message>
        <source>Fête</source>
        <translation>Party</translation>
    </message>
    <message>
        <source>Cœurs</source>
        <translation>Hearts</translation>
    </message>
    <message>
        <source>Tendre</source>
        <translation>Tender</translation>
    </message>
    <message>
        <source>Pied-de-poule</source>
        <translation>Houndstooth</translation>
    </message>
    <message>
        <source>Couture</source>
        <translation>Couture</translation>
    </message>
    <message>
        <source>Pied-de-poule bleu</source>
        <translation>Blue houndstooth</translation>
    </message>
    <message>
        <source>Hachures</source>
        <translation>Hatching</translation>
    </message>
    <message>
        <source>Croquis</source>
        <translation>Sketch</translation>
    </message>
    <message>
        <source>Hachures encre</source>
        <translation>Ink hatching</translation>
    </message>
    <message>
        <source>Zigzag</source>
        <translation>Zigzag</translation>
    </message>
    <message>
        <source>Graphique</source>
        <translation>Graphic</translation>
    </message>
    <message>
        <source>Zigzag menthe</source>
        <translation>Mint zigzag</translation>
    </message>
    <message>
        <source>Losanges</source>
        <translation>Diamonds</translation>
    </message>
    <message>
        <source>Losanges nuit</source>
        <translation>Night diamonds</translation>
    </message>
    <message>
        <source>Nid d&apos;abeille</source>
        <translation>Honeycomb</translation>
    </message>
    <message>
        <source>Ruche</source>
        <translation>Hive</translation>
    </message>
    <message>
        <source>Hexagones</source>
        <translation>Hexagons</translation>
    </message>
    <message>
        <source>Croix</source>
        <translation>Crosses</translation>
    </message>
    <message>
        <source>Scandinave</source>
        <translation>Scandinavian</translation>
    </message>
    <message>
        <source>Croix marine</source>
        <translation>Navy crosses</translation>
    </message>
    <message>
        <source>Anneaux</source>
        <translation>Rings</translation>
    </message>
    <message>
        <source>Anneaux or</source>
        <translation>Gold rings</translation>
    </message>
    <message>
        <source>Fines rayures</source>
        <translation>Pinstripes</translation>
    </message>
    <message>
        <source>Tennis</source>
        <translation>Tennis</translation>
    </message>
    <message>
        <source>Feuillage</source>
        <translation>Foliage</translation>
    </message>
    <message>
        <source>Feuillage automne</source>
        <translation>Autumn foliage</translation>
    </message>
    <message>
        <source>Vermicelles</source>
        <translation>Sprinkles</translation>
    </message>
    <message>
        <source>Gourmand</source>
        <translation>Sweet</translation>
    </message>
    <message>
        <source>Vermicelles nuit</source>
        <translation>Night sprinkles</translation>
    </message>
    <message>
        <source>Pois menthe</source>
        <translation>Mint dots</translation>
    </message>
    <message>
        <source>Pastel</source>
        <translation>Pastel</translation>
    </message>
    <message>
        <source>Pois lavande</source>
        <translation>Lavender dots</translation>
    </message>
    <message>
        <source>Damier corail</source>
        <translation>Coral checkerboard</translation>
    </message>
    <message>
        <source>Étoiles or</source>
        <translation>Gold stars</translation>
    </message>
    <message>
        <source>Écailles nuit</source>
        <translation>Night scales</translation>
    </message>
    <message>
        <source>Cœurs nuit</source>
        <translation>Night hearts</translation>
    </message>
    <message>
        <source>Houle corail</source>
        <translation>Coral swell</translation>
    </message>
    <message>
        <source>Chevron menthe</source>
        <translation>Mint chevron</translation>
    </message>
    <message>
        <source>Terrazzo nuit</source>
        <translation>Night terrazzo</translation>
    </message>
    <message>
        <source>Confettis pastel</source>
        <translation>Pastel confetti</translation>
    </message>
    <message>
        <source>Fleurs bleues</source>
        <translation>Blue flowers</translation>
    </message>
    <message>
        <source>Mosaïque océan</source>
        <translation>Ocean mosaic</translation>
    </message>
</context>
<context>
    <name>GioCustomIcon</name>
    <message>
        <source>le gestionnaire de fichiers n&apos;a pas gardé l&apos;icône</source>
        <translation>the file manager did not keep the icon</translation>
    </message>
    <message>
        <source>le gestionnaire de fichiers a gardé l&apos;icône</source>
        <translation>the file manager kept the icon</translation>
    </message>
</context>
<context>
    <name>IconsPage</name>
    <message>
        <source>Dossiers cibles</source>
        <translation>Target folders</translation>
    </message>
    <message>
        <source>Choisir des dossiers…</source>
        <translation>Choose folders…</translation>
    </message>
    <message>
        <source>Remettre les icônes d&apos;origine</source>
        <translation>Restore the original icons</translation>
    </message>
    <message>
        <source>Motifs (sur dossier système)</source>
        <translation>Patterns (on the system folder)</translation>
    </message>
    <message>
        <source>Importer une image…</source>
        <translation>Import an image…</translation>
    </message>
    <message>
        <source>Chaque motif est plaqué sur la forme exacte du dossier du système.</source>
        <translation>Each pattern is laid on the exact shape of the system&apos;s folder.</translation>
    </message>
    <message>
        <source>Aucun dossier choisi</source>
        <translation>No folder chosen</translation>
    </message>
    <message>
        <source>%1 dossiers sélectionnés</source>
        <translation>%1 folders selected</translation>
    </message>
    <message>
        <source>Choisissez d&apos;abord un ou plusieurs dossiers.</source>
        <translation>Choose one or more folders first.</translation>
    </message>
</context>
<context>
    <name>KdeDirectoryFile</name>
    <message>
        <source>« .directory » n&apos;est pas un fichier</source>
        <translation>“.directory” is not a file</translation>
    </message>
    <message>
        <source>« .directory » est trop grand</source>
        <translation>“.directory” is too large</translation>
    </message>
    <message>
        <source>lecture de « .directory » impossible : %1</source>
        <translation>cannot read “.directory”: %1</translation>
    </message>
    <message>
        <source>écriture de « .directory » impossible : %1</source>
        <translation>cannot write “.directory”: %1</translation>
    </message>
    <message>
        <source>« .directory » n&apos;a pas gardé l&apos;icône</source>
        <translation>“.directory” did not keep the icon</translation>
    </message>
    <message>
        <source>suppression de « .directory » impossible : %1</source>
        <translation>cannot remove “.directory”: %1</translation>
    </message>
    <message>
        <source>« .directory » a gardé l&apos;icône</source>
        <translation>“.directory” kept the icon</translation>
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
        <translation>Videos</translation>
    </message>
    <message>
        <source>Aucun fichier choisi</source>
        <translation>No file chosen</translation>
    </message>
</context>
<context>
    <name>MediaLocation</name>
    <message>
        <source>%1: une liste de lecture n&apos;est ni une vidéo ni une image : %2</source>
        <translation>%1: a playlist is neither a video nor an image: %2</translation>
    </message>
    <message>
        <source>%1: une adresse n&apos;est pas un fichier : %2</source>
        <translation>%1: an address is not a file: %2</translation>
    </message>
    <message>
        <source>%1: chemin relatif, un chemin absolu est attendu : %2</source>
        <translation>%1: relative path, an absolute path is expected: %2</translation>
    </message>
    <message>
        <source>%1: fichier introuvable : %2</source>
        <translation>%1: file not found: %2</translation>
    </message>
</context>
<context>
    <name>MediaPage</name>
    <message>
        <source>Adresse refusée</source>
        <translation>Address refused</translation>
    </message>
    <message>
        <source>Liste de lecture refusée</source>
        <translation>Playlist refused</translation>
    </message>
    <message>
        <source>Type de fond</source>
        <translation>Wallpaper type</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Fichier illisible</source>
        <translation>Unreadable file</translation>
    </message>
    <message>
        <source>Ce fichier a fait planter Nivora ; le fond animé le remplace.</source>
        <translation>This file made Nivora crash; the animated wallpaper replaces it.</translation>
    </message>
    <message>
        <source>Choisir un fichier…</source>
        <translation>Choose a file…</translation>
    </message>
    <message>
        <source>Choisir un dossier…</source>
        <translation>Choose a folder…</translation>
    </message>
    <message>
        <source>Étendre sur tous les écrans</source>
        <translation>Span all screens</translation>
    </message>
    <message>
        <source>Une seule image sur l&apos;ensemble des écrans</source>
        <translation>One picture across all the screens</translation>
    </message>
    <message>
        <source>Intervalle</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Aléatoire</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>Les fichiers du dossier dans le désordre</source>
        <translation>The folder&apos;s files in random order</translation>
    </message>
    <message>
        <source>Suivant</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Qualité d&apos;image</source>
        <translation>Image quality</translation>
    </message>
    <message>
        <source>Résolution de rendu</source>
        <translation>Render resolution</translation>
    </message>
    <message>
        <source>Netteté</source>
        <translation>Sharpness</translation>
    </message>
    <message>
        <source>La résolution agit sur les scènes animées (plus bas = plus fluide).</source>
        <translation>The resolution applies to animated scenes (lower = smoother).</translation>
    </message>
</context>
<context>
    <name>MenuBarView</name>
    <message>
        <source>Fond animé</source>
        <translation>Animated wallpaper</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Ouvrir le tableau de bord</source>
        <translation>Open the dashboard</translation>
    </message>
    <message>
        <source>Quitter Nivora</source>
        <translation>Quit Nivora</translation>
    </message>
    <message>
        <source>Actif</source>
        <translation>On</translation>
    </message>
    <message>
        <source>En pause</source>
        <translation>Paused</translation>
    </message>
</context>
<context>
    <name>NavSection</name>
    <message>
        <source>Scènes</source>
        <translation>Scenes</translation>
    </message>
    <message>
        <source>Média</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Icônes</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>Couleurs</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Écrans</source>
        <translation>Screens</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>À propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Compte</source>
        <translation>Account</translation>
    </message>
</context>
<context>
    <name>OriginalFolderIcons</name>
    <message>
        <source>registre des icônes d&apos;origine illisible : %1</source>
        <translation>unreadable record of the original icons: %1</translation>
    </message>
    <message>
        <source>registre des icônes d&apos;origine impossible à effacer : %1</source>
        <translation>cannot erase the record of the original icons: %1</translation>
    </message>
    <message>
        <source>registre des icônes d&apos;origine impossible à écrire : %1</source>
        <translation>cannot write the record of the original icons: %1</translation>
    </message>
</context>
<context>
    <name>PageHeaders</name>
    <message>
        <source>Galerie vivante</source>
        <translation>Living gallery</translation>
    </message>
    <message>
        <source>Scènes</source>
        <translation>Scenes</translation>
    </message>
    <message>
        <source>Choisissez une ambiance et façonnez-la en direct.</source>
        <translation>Pick a mood and shape it live.</translation>
    </message>
    <message>
        <source>Source du fond</source>
        <translation>Wallpaper source</translation>
    </message>
    <message>
        <source>Média</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Une scène animée, ou votre propre vidéo ou image.</source>
        <translation>An animated scene, or your own video or image.</translation>
    </message>
    <message>
        <source>Dossiers</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Icônes</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>Habillez un ou plusieurs dossiers à la fois.</source>
        <translation>Dress one or more folders at once.</translation>
    </message>
    <message>
        <source>Identité chromatique</source>
        <translation>Colour identity</translation>
    </message>
    <message>
        <source>Couleurs</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Appliquez une palette ou composez la vôtre — en direct.</source>
        <translation>Apply a palette or make your own — live.</translation>
    </message>
    <message>
        <source>Bureau</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Activez des modules et glissez-les où vous voulez sur le bureau.</source>
        <translation>Turn modules on and drag them anywhere on the desktop.</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Écrans</source>
        <translation>Screens</translation>
    </message>
    <message>
        <source>Activez le fond animé écran par écran.</source>
        <translation>Turn the animated wallpaper on screen by screen.</translation>
    </message>
    <message>
        <source>Moteur</source>
        <translation>Engine</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Fluidité et économie d&apos;énergie.</source>
        <translation>Smoothness and power saving.</translation>
    </message>
    <message>
        <source>Le projet</source>
        <translation>The project</translation>
    </message>
    <message>
        <source>À propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Nivora — fonds animés GPU, faits main.</source>
        <translation>Nivora — handmade GPU animated wallpapers.</translation>
    </message>
    <message>
        <source>Compte</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>Connecte-toi avec le compte créé sur le site.</source>
        <translation>Sign in with the account you created on the website.</translation>
    </message>
</context>
<context>
    <name>PerformancePage</name>
    <message>
        <source>L&apos;image de l&apos;aperçu n&apos;a pas pu être rendue ; GNOME garde la précédente.</source>
        <translation>The overview&apos;s picture could not be rendered; GNOME keeps the previous one.</translation>
    </message>
    <message>
        <source>Sous GNOME, la pause sous les apps Wayland en plein écran passe par l&apos;extension de Nivora : déconnecte-toi puis reconnecte-toi une fois pour que GNOME la charge.</source>
        <translation>On GNOME, pausing under fullscreen Wayland apps goes through Nivora&apos;s extension: log out and back in once so that GNOME loads it.</translation>
    </message>
    <message>
        <source>GNOME n&apos;a pas activé l&apos;extension de Nivora : seules les fenêtres X11 en plein écran mettent le fond en pause. Vérifie l&apos;app Extensions.</source>
        <translation>GNOME has not enabled Nivora&apos;s extension: only fullscreen X11 windows pause the wallpaper. Check the Extensions app.</translation>
    </message>
    <message>
        <source>Images par seconde</source>
        <translation>Frames per second</translation>
    </message>
    <message>
        <source> FPS</source>
        <translation> FPS</translation>
    </message>
    <message>
        <source>Économie de batterie</source>
        <translation>Battery saver</translation>
    </message>
    <message>
        <source>Limite à 30 FPS en mode économie d&apos;énergie</source>
        <translation>Caps at 30 FPS in power-saver mode</translation>
    </message>
    <message>
        <source>Pause en plein écran</source>
        <translation>Pause in fullscreen</translation>
    </message>
    <message>
        <source>Met le rendu en pause quand une app couvre le bureau</source>
        <translation>Pauses rendering when an app covers the desktop</translation>
    </message>
    <message>
        <source>Assortir l&apos;aperçu et l&apos;écran de verrouillage</source>
        <translation>Match the overview and lock screen</translation>
    </message>
    <message>
        <source>Montre ton fond Nivora dans l&apos;aperçu de GNOME et sur l&apos;écran de verrouillage</source>
        <translation>Shows your Nivora wallpaper in GNOME&apos;s overview and on the lock screen</translation>
    </message>
    <message>
        <source>Lancer au démarrage</source>
        <translation>Launch at login</translation>
    </message>
    <message>
        <source>Démarre Nivora à l&apos;ouverture de session</source>
        <translation>Starts Nivora when you log in</translation>
    </message>
    <message>
        <source>Sous le capot</source>
        <translation>Under the hood</translation>
    </message>
    <message>
        <source>Optimisé</source>
        <translation>Optimised</translation>
    </message>
    <message>
        <source>Résolution plafonnée et shader compilé une seule fois.</source>
        <translation>Capped resolution and a shader compiled only once.</translation>
    </message>
    <message>
        <source>Vie privée</source>
        <translation>Privacy</translation>
    </message>
    <message>
        <source>100 % local, sans compte, sans télémétrie.</source>
        <translation>100% local, no account, no telemetry.</translation>
    </message>
    <message>
        <source>Vidéo décodée par la carte graphique</source>
        <translation>Video decoded by the graphics card</translation>
    </message>
    <message>
        <source>Décodage matériel (%1) et rendu OpenGL : les images ne passent pas par le processeur.</source>
        <translation>Hardware decoding (%1) and OpenGL rendering: frames never go through the processor.</translation>
    </message>
    <message>
        <source>Vidéo décodée par le processeur, rendue par OpenGL</source>
        <translation>Video decoded by the processor, drawn by OpenGL</translation>
    </message>
    <message>
        <source>Pas d&apos;accélération graphique ici : OpenGL dessine aussi chaque image sur le processeur.</source>
        <translation>No graphics acceleration here: OpenGL also draws every frame on the processor.</translation>
    </message>
    <message>
        <source>La carte graphique ne décode pas ce format ; elle affiche et met à l&apos;échelle chaque image.</source>
        <translation>The graphics card does not decode this format; it shows and scales every frame.</translation>
    </message>
    <message>
        <source>Vidéo décodée par le processeur</source>
        <translation>Video decoded by the processor</translation>
    </message>
    <message>
        <source>Chaque image est copiée vers le compositeur ; une scène animée coûte moins.</source>
        <translation>Every frame is copied to the compositor; an animated scene costs less.</translation>
    </message>
    <message>
        <source>Décodage logiciel ; une scène animée coûte moins.</source>
        <translation>Software decoding; an animated scene costs less.</translation>
    </message>
    <message>
        <source>Image décodée une fois</source>
        <translation>Image decoded once</translation>
    </message>
    <message>
        <source>Aucun rendu continu ; seule une image animée change d&apos;image.</source>
        <translation>No continuous rendering; only an animated image changes frames.</translation>
    </message>
    <message>
        <source>Rendu OpenGL, copié vers le compositeur</source>
        <translation>OpenGL rendering, copied to the compositor</translation>
    </message>
    <message>
        <source>Chaque image passe par la mémoire partagée du compositeur.</source>
        <translation>Every frame goes through the compositor&apos;s shared memory.</translation>
    </message>
    <message>
        <source>Pas d&apos;accélération graphique ici : le processeur dessine chaque image, à résolution plafonnée, et le serveur X l&apos;agrandit.</source>
        <translation>No graphics acceleration here: the processor draws every frame at a capped resolution, and the X server enlarges it.</translation>
    </message>
    <message>
        <source>Rendu OpenGL relu par le processeur</source>
        <translation>OpenGL rendering read back by the processor</translation>
    </message>
    <message>
        <source>Chaque image est relue en mémoire puis agrandie par le serveur X.</source>
        <translation>Every frame is read back into memory, then enlarged by the X server.</translation>
    </message>
    <message>
        <source>Rendu OpenGL sur le processeur</source>
        <translation>OpenGL rendering on the processor</translation>
    </message>
    <message>
        <source>Pas d&apos;accélération graphique ici : le processeur dessine chaque image, à résolution plafonnée.</source>
        <translation>No graphics acceleration here: the processor draws every frame at a capped resolution.</translation>
    </message>
    <message>
        <source>Rendu 100 % GPU (OpenGL)</source>
        <translation>100% GPU rendering (OpenGL)</translation>
    </message>
    <message>
        <source>Aucun décodage logiciel — léger pour le processeur.</source>
        <translation>No software decoding — light on the processor.</translation>
    </message>
</context>
<context>
    <name>PreviewCard</name>
    <message>
        <source>Scène précédente</source>
        <translation>Previous scene</translation>
    </message>
    <message>
        <source>Scène suivante</source>
        <translation>Next scene</translation>
    </message>
</context>
<context>
    <name>SceneCatalog</name>
    <message>
        <source>Brume</source>
        <translation>Mist</translation>
    </message>
    <message>
        <source>Voiles de brouillard</source>
        <translation>Veils of fog</translation>
    </message>
    <message>
        <source>Atmosphère</source>
        <translation>Atmosphere</translation>
    </message>
    <message>
        <source>Aurore</source>
        <translation>Aurora</translation>
    </message>
    <message>
        <source>Rideaux de lumière</source>
        <translation>Curtains of light</translation>
    </message>
    <message>
        <source>Maille</source>
        <translation>Mesh</translation>
    </message>
    <message>
        <source>Grille vivante</source>
        <translation>Living grid</translation>
    </message>
    <message>
        <source>Géométrie</source>
        <translation>Geometry</translation>
    </message>
    <message>
        <source>Flux</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>Marbrure mouvante</source>
        <translation>Moving marble</translation>
    </message>
    <message>
        <source>Fluide</source>
        <translation>Fluid</translation>
    </message>
    <message>
        <source>Plasma</source>
        <translation>Plasma</translation>
    </message>
    <message>
        <source>Champs ondulants</source>
        <translation>Rippling fields</translation>
    </message>
    <message>
        <source>Relief</source>
        <translation>Relief</translation>
    </message>
    <message>
        <source>Courbes topographiques</source>
        <translation>Contour lines</translation>
    </message>
    <message>
        <source>Vagues</source>
        <translation>Waves</translation>
    </message>
    <message>
        <source>Houle paisible</source>
        <translation>Gentle swell</translation>
    </message>
    <message>
        <source>Lave</source>
        <translation>Lava</translation>
    </message>
    <message>
        <source>Blobs fondants</source>
        <translation>Melting blobs</translation>
    </message>
    <message>
        <source>Bandes</source>
        <translation>Bands</translation>
    </message>
    <message>
        <source>Rubans diagonaux</source>
        <translation>Diagonal ribbons</translation>
    </message>
    <message>
        <source>Fumée</source>
        <translation>Smoke</translation>
    </message>
    <message>
        <source>Volutes ascendantes</source>
        <translation>Rising wisps</translation>
    </message>
    <message>
        <source>Soie</source>
        <translation>Silk</translation>
    </message>
    <message>
        <source>Ondes satinées</source>
        <translation>Satin ripples</translation>
    </message>
    <message>
        <source>Dégradé</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>Nappe fondue</source>
        <translation>Blended wash</translation>
    </message>
    <message>
        <source>Bulles</source>
        <translation>Bubbles</translation>
    </message>
    <message>
        <source>Orbes flottantes</source>
        <translation>Floating orbs</translation>
    </message>
    <message>
        <source>Pluie</source>
        <translation>Rain</translation>
    </message>
    <message>
        <source>Averse fluide</source>
        <translation>Flowing shower</translation>
    </message>
    <message>
        <source>Météo</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Neige</source>
        <translation>Snow</translation>
    </message>
    <message>
        <source>Flocons à la dérive</source>
        <translation>Drifting flakes</translation>
    </message>
</context>
<context>
    <name>SceneHero</name>
    <message>
        <source>EN DIRECT</source>
        <translation>LIVE</translation>
    </message>
    <message>
        <source>Scène précédente</source>
        <translation>Previous scene</translation>
    </message>
    <message>
        <source>Scène suivante</source>
        <translation>Next scene</translation>
    </message>
</context>
<context>
    <name>ScenesPage</name>
    <message>
        <source>Réglages de la scène</source>
        <translation>Scene settings</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Intensité</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Échelle</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Teinte</source>
        <translation>Tint</translation>
    </message>
    <message>
        <source>Bibliothèque</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>Surprends-moi</source>
        <translation>Surprise me</translation>
    </message>
</context>
<context>
    <name>ScreenTargetBar</name>
    <message>
        <source>Écran</source>
        <translation>Screen</translation>
    </message>
</context>
<context>
    <name>SettingsCodec</name>
    <message>
        <source>%1: valeur refusée, valeurs permises : %2</source>
        <translation>%1: value refused, allowed values: %2</translation>
    </message>
    <message>
        <source>%1: attendu un objet {widget: %2}, widgets : %3</source>
        <translation>%1: expected an object {widget: %2}, widgets: %3</translation>
    </message>
    <message>
        <source>%1: attendu true ou false</source>
        <translation>%1: expected true or false</translation>
    </message>
    <message>
        <source>%1: attendu un nombre fini de %2</source>
        <translation>%1: expected a finite number from %2</translation>
    </message>
    <message>
        <source>%1: attendu un entier de %2</source>
        <translation>%1: expected an integer from %2</translation>
    </message>
    <message>
        <source>%1: valeurs permises : &quot;scene&quot;, &quot;video&quot;, &quot;image&quot;</source>
        <translation>%1: allowed values: &quot;scene&quot;, &quot;video&quot;, &quot;image&quot;</translation>
    </message>
    <message>
        <source>%1: attendu un chemin (texte), &quot;&quot; pour aucun</source>
        <translation>%1: expected a path (text), &quot;&quot; for none</translation>
    </message>
    <message>
        <source>%1: attendu un texte</source>
        <translation>%1: expected a text</translation>
    </message>
    <message>
        <source>%1: valeurs permises : &quot;auto&quot;, &quot;fr&quot;, &quot;en&quot;</source>
        <translation>%1: allowed values: &quot;auto&quot;, &quot;fr&quot;, &quot;en&quot;</translation>
    </message>
    <message>
        <source>%1: attendu une liste de 5 entiers 0xRRGGBB (0 à 16777215)</source>
        <translation>%1: expected a list of 5 integers 0xRRGGBB (0 to 16777215)</translation>
    </message>
    <message>
        <source>%1: attendu une liste d&apos;identifiants d&apos;écran (0 à 4294967295)</source>
        <translation>%1: expected a list of screen identifiers (0 to 4294967295)</translation>
    </message>
    <message>
        <source>%1: attendu une liste parmi %2</source>
        <translation>%1: expected a list among %2</translation>
    </message>
    <message>
        <source>clé inconnue pour un écran « %1 » ; clés : %2</source>
        <translation>unknown key for a screen “%1”; keys: %2</translation>
    </message>
    <message>
        <source>écran « %1 » : attendu un objet {clé: valeur}</source>
        <translation>screen “%1”: expected an object {key: value}</translation>
    </message>
    <message>
        <source>écran « %1 » : %2</source>
        <translation>screen “%1”: %2</translation>
    </message>
    <message>
        <source>%1: attendu un objet {écran: {clé: valeur}}, clés : %2</source>
        <translation>%1: expected an object {screen: {key: value}}, keys: %2</translation>
    </message>
    <message>
        <source>JSON invalide : %1</source>
        <translation>invalid JSON: %1</translation>
    </message>
    <message>
        <source>nombre non fini : %1</source>
        <translation>non-finite number: %1</translation>
    </message>
    <message>
        <source>clé inconnue « %1 » ; clés : %2</source>
        <translation>unknown key “%1”; keys: %2</translation>
    </message>
</context>
<context>
    <name>SettingsSchema</name>
    <message>
        <source>%1 à %2</source>
        <translation>%1 to %2</translation>
    </message>
</context>
<context>
    <name>SidebarView</name>
    <message>
        <source>Fond actif</source>
        <translation>Wallpaper on</translation>
    </message>
    <message>
        <source>Fond en pause</source>
        <translation>Wallpaper paused</translation>
    </message>
    <message>
        <source>carnet d&apos;ambiances</source>
        <translation>mood notebook</translation>
    </message>
    <message>
        <source>Quitter Nivora</source>
        <translation>Quit Nivora</translation>
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
        <translation>notebook of animated moods</translation>
    </message>
</context>
<context>
    <name>TimerFaceAccessibility</name>
    <message>
        <source>Démarrer</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Réinitialiser</source>
        <translation>Reset</translation>
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
        <translation>STOPWATCH</translation>
    </message>
</context>
<context>
    <name>UptimeWidgetView</name>
    <message>
        <source>PC ALLUMÉ DEPUIS</source>
        <translation>PC ON FOR</translation>
    </message>
</context>
<context>
    <name>WallpaperMode</name>
    <message>
        <source>Scène animée</source>
        <translation>Animated scene</translation>
    </message>
    <message>
        <source>Vidéo</source>
        <translation>Video</translation>
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
        <translation>Northern lights</translation>
    </message>
    <message>
        <source>Bleu industriel</source>
        <translation>Industrial blue</translation>
    </message>
    <message>
        <source>Crépuscule</source>
        <translation>Dusk</translation>
    </message>
    <message>
        <source>Lavande</source>
        <translation>Lavender</translation>
    </message>
    <message>
        <source>Corail</source>
        <translation>Coral</translation>
    </message>
    <message>
        <source>Forêt</source>
        <translation>Forest</translation>
    </message>
    <message>
        <source>Sorbet</source>
        <translation>Sorbet</translation>
    </message>
    <message>
        <source>Océan</source>
        <translation>Ocean</translation>
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
        <translation>Citrus</translation>
    </message>
    <message>
        <source>Vaporwave</source>
        <translation>Vaporwave</translation>
    </message>
    <message>
        <source>Terre cuite</source>
        <translation>Terracotta</translation>
    </message>
    <message>
        <source>Menthe</source>
        <translation>Mint</translation>
    </message>
    <message>
        <source>Rubis</source>
        <translation>Ruby</translation>
    </message>
    <message>
        <source>Sable</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>Nuit étoilée</source>
        <translation>Starry night</translation>
    </message>
    <message>
        <source>Émeraude</source>
        <translation>Emerald</translation>
    </message>
    <message>
        <source>Glacier</source>
        <translation>Glacier</translation>
    </message>
    <message>
        <source>Automne</source>
        <translation>Autumn</translation>
    </message>
    <message>
        <source>Néon nuit</source>
        <translation>Night neon</translation>
    </message>
    <message>
        <source>Pêche</source>
        <translation>Peach</translation>
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
        <translation>Cocoa</translation>
    </message>
    <message>
        <source>Mer Égée</source>
        <translation>Aegean Sea</translation>
    </message>
    <message>
        <source>Tropical</source>
        <translation>Tropical</translation>
    </message>
    <message>
        <source>Myrtille</source>
        <translation>Blueberry</translation>
    </message>
    <message>
        <source>Or rose</source>
        <translation>Rose gold</translation>
    </message>
    <message>
        <source>Pistache</source>
        <translation>Pistachio</translation>
    </message>
    <message>
        <source>Améthyste</source>
        <translation>Amethyst</translation>
    </message>
    <message>
        <source>Cuivre</source>
        <translation>Copper</translation>
    </message>
    <message>
        <source>Ardoise</source>
        <translation>Slate</translation>
    </message>
    <message>
        <source>Flamant</source>
        <translation>Flamingo</translation>
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
        <translation>Periwinkle</translation>
    </message>
    <message>
        <source>Mangue</source>
        <translation>Mango</translation>
    </message>
    <message>
        <source>Lilas givré</source>
        <translation>Frosted lilac</translation>
    </message>
    <message>
        <source>Forêt profonde</source>
        <translation>Deep forest</translation>
    </message>
    <message>
        <source>Brume rosée</source>
        <translation>Rosy mist</translation>
    </message>
    <message>
        <source>Récif</source>
        <translation>Reef</translation>
    </message>
    <message>
        <source>Tournesol</source>
        <translation>Sunflower</translation>
    </message>
</context>
<context>
    <name>WeekWidgetView</name>
    <message>
        <source>sur 52</source>
        <translation>of 52</translation>
    </message>
    <message>
        <source>SEMAINE</source>
        <translation>WEEK</translation>
    </message>
</context>
<context>
    <name>WeekendWidgetView</name>
    <message>
        <source>C&apos;est le week-end !</source>
        <translation>It&apos;s the weekend!</translation>
    </message>
    <message>
        <source>Bientôt le week-end</source>
        <translation>Weekend soon</translation>
    </message>
    <message>
        <source>AVANT LE WEEK-END</source>
        <translation>UNTIL THE WEEKEND</translation>
    </message>
</context>
<context>
    <name>WidgetCatalog</name>
    <message>
        <source>Horloge</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Ambiance</source>
        <translation>Mood</translation>
    </message>
    <message>
        <source>Année</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Week-end</source>
        <translation>Weekend</translation>
    </message>
    <message>
        <source>Allumage</source>
        <translation>Uptime</translation>
    </message>
    <message>
        <source>Semaine</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Saison</source>
        <translation>Season</translation>
    </message>
    <message>
        <source>Nouvel an</source>
        <translation>New Year</translation>
    </message>
    <message>
        <source>Chrono</source>
        <translation>Stopwatch</translation>
    </message>
    <message>
        <source>Mois</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Carte</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>Arrondi</source>
        <translation>Rounded</translation>
    </message>
    <message>
        <source>Pilule</source>
        <translation>Pill</translation>
    </message>
    <message>
        <source>Cercle</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Petit</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>Moyen</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Grand</source>
        <translation>Large</translation>
    </message>
</context>
<context>
    <name>WidgetFaceContent</name>
    <message>
        <source>EEEE d MMMM</source>
        <translation>EEEE, MMMM d</translation>
    </message>
    <message>
        <source>MMMM yyyy</source>
        <translation>MMMM yyyy</translation>
    </message>
    <message>
        <source>Jour %1 sur %2</source>
        <translation>Day %1 of %2</translation>
    </message>
    <message>
        <source>PROGRESSION DE L&apos;ANNÉE</source>
        <translation>YEAR PROGRESS</translation>
    </message>
    <message>
        <source>%1 j %2 h</source>
        <translation>%1 d %2 h</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Printemps</source>
        <translation>Spring</translation>
    </message>
    <message>
        <source>Été</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>Automne</source>
        <translation>Autumn</translation>
    </message>
    <message>
        <source>Hiver</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>NOUVEL AN %1</source>
        <translation>NEW YEAR %1</translation>
    </message>
    <message>
        <source>J-%1</source>
        <translation>T-%1</translation>
    </message>
    <message>
        <source>%1 jours restants</source>
        <translation>%1 days left</translation>
    </message>
</context>
<context>
    <name>WidgetTile</name>
    <message>
        <source>Activé</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Désactivé</source>
        <translation>Off</translation>
    </message>
</context>
<context>
    <name>WidgetsPage</name>
    <message>
        <source>Astuce : glissez un widget directement sur le bureau pour le déplacer — sa place est mémorisée.</source>
        <translation>Tip: drag a widget right on the desktop to move it — its place is remembered.</translation>
    </message>
    <message>
        <source>Modules disponibles</source>
        <translation>Available modules</translation>
    </message>
    <message>
        <source>Afficher la date sous l&apos;horloge</source>
        <translation>Show the date under the clock</translation>
    </message>
    <message>
        <source>Jour et mois sous l&apos;heure</source>
        <translation>Day and month under the time</translation>
    </message>
    <message>
        <source>Forme &amp; taille</source>
        <translation>Shape &amp; size</translation>
    </message>
    <message>
        <source>Chaque widget activé peut prendre une autre forme et une autre taille.</source>
        <translation>Each widget that is on can take another shape and size.</translation>
    </message>
</context>
</TS>

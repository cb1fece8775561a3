<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
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
    <name>MediaLocation</name>
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
</TS>

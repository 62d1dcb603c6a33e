# shellcheck shell=bash
# The play command's part on the Linux desktop: the launcher with its icons, our
# launcher on the desktop when the game made its desktop shortcut, and the
# uninstall. Sourced by play.sh, which sets `data` (the game's data folder),
# WINEPREFIX and the working folder (the checkout).
: "${data:?set by play.sh}" "${WINEPREFIX:?set by play.sh}"

# The game runs with the Wine settings of its prefix, menu builder off.
# shellcheck source=scripts/wine-settings.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-settings.sh"

apps_dir=${XDG_DATA_HOME:-$HOME/.local/share}/applications
icons_dir=${XDG_DATA_HOME:-$HOME/.local/share}/icons/hicolor
menus_dir=${XDG_CONFIG_HOME:-$HOME/.config}/menus/applications-merged
launcher="$apps_dir/bluffwick.desktop"
# Written into every launcher we make, so the uninstall knows ours from the rest.
launcher_mark="X-Bluffwick-Prefix=$WINEPREFIX"

# Where Wine puts the Windows desktop: its prefix links the folder, and when the
# prefix is gone, the same rule Wine follows (XDG_DESKTOP_DIR, ~/Desktop, else ~).
desktop_dir() {
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/Desktop; do
    if [ -L "$link" ]; then
      readlink -f "$link"
      return
    fi
  done
  local dirs=${XDG_CONFIG_HOME:-$HOME/.config}/user-dirs.dirs dir=
  if [ -f "$dirs" ]; then
    dir=$(sed -n 's/^XDG_DESKTOP_DIR="\(.*\)"$/\1/p' "$dirs" | tail -n 1)
    dir=${dir/#\$HOME/$HOME}
  fi
  if [ -n "$dir" ] && [ -d "$dir" ]; then echo "$dir"
  elif [ -d "$HOME/Desktop" ]; then echo "$HOME/Desktop"
  else echo "$HOME"; fi
}

# A string value of a desktop entry: backslashes doubled, line breaks as \n.
entry_string() {
  local s=${1//\\/\\\\}
  printf '%s' "${s//$'\n'/\\n}"
}

# The Exec value: the path quoted as the Exec rules ask (\ " ` $ escaped inside the
# quotes, % doubled), then escaped once more as a string value.
entry_exec() {
  local p=$1
  p=${p//\\/\\\\}
  p=${p//\"/\\\"}
  p=${p//\`/\\\`}
  p=${p//\$/\\\$}
  p=${p//%/%%}
  entry_string "\"$p\" --start"
}

write_launcher_entry() {
  local play_path=$1
  printf '%s\n' \
    '[Desktop Entry]' \
    'Type=Application' \
    'Version=1.4' \
    'Name=Bluffwick' \
    'Name[ja]=ブラフウィック' \
    'GenericName=Five-card draw poker' \
    'GenericName[ja]=ファイブカード・ドロー・ポーカー' \
    'Comment=Five-card draw poker, heads-up against a talking computer opponent' \
    'Comment[ja]=しゃべるコンピューターと一対一のファイブカード・ドロー・ポーカー' \
    'Icon=bluffwick' \
    "TryExec=$(entry_string "$play_path")" \
    "Exec=$(entry_exec "$play_path")" \
    'Terminal=false' \
    'Categories=Game;CardGame;' \
    'Keywords=poker;cards;' \
    'StartupWMClass=bluffwick.exe' \
    "$(entry_string "$launcher_mark")"
}

# Copies a file only when it differs, so nothing changes on later runs.
put_file() {
  if ! cmp -s "$1" "$2"; then
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2.new"
    chmod "${3:-644}" "$2.new"
    mv -f "$2.new" "$2"
    echo "play: installed $2"
  fi
}

install_launcher() {
  local entry="$data/bluffwick.desktop"
  write_launcher_entry "$PWD/scripts/play.sh" >"$entry"
  put_file res/bluffwick-48.png "$icons_dir/48x48/apps/bluffwick.png"
  put_file res/bluffwick-256.png "$icons_dir/256x256/apps/bluffwick.png"
  put_file "$entry" "$launcher"
}

# The game's desktop shortcut (Bluffwick.lnk) is a Windows file; with Wine's menu
# builder off, the desktop gets our launcher beside it instead of Wine's.
copy_launcher_to_desktop() {
  local desktop
  desktop=$(desktop_dir)
  [ -f "$desktop/Bluffwick.lnk" ] && [ -f "$launcher" ] || return 0
  local copy="$desktop/Bluffwick.desktop"
  if [ -f "$copy" ] && ! grep -qxF "$launcher_mark" "$copy" && ! made_by_wine_here "$copy"; then
    return 0  # someone else's file of that name stays as it is
  fi
  put_file "$launcher" "$copy" 755
  # GNOME's desktop starts only entries marked trusted.
  if command -v gio >/dev/null; then gio set "$copy" metadata::trusted true 2>/dev/null || true; fi
}

# Runs the game with Wine's menu builder off, so it makes no menu entry of its
# own. Watches for the desktop shortcut the first run may make.
run_game() {
  local desktop had_link=0
  desktop=$(desktop_dir)
  [ -f "$desktop/Bluffwick.lnk" ] && had_link=1
  wine 'C:\Bluffwick\bluffwick.exe' &
  local game=$!
  trap 'kill "$game" 2>/dev/null' INT TERM
  if [ "$had_link" -eq 0 ]; then
    while kill -0 "$game" 2>/dev/null; do
      if [ -f "$desktop/Bluffwick.lnk" ]; then
        copy_launcher_to_desktop
        break
      fi
      sleep 1
    done
  fi
  local status=0
  wait "$game" || status=$?
  [ "$had_link" -eq 1 ] || copy_launcher_to_desktop
  return "$status"
}

# A desktop entry Wine's menu builder made for a shortcut of this prefix.
made_by_wine_here() {
  grep -qF "Exec=env WINEPREFIX=\"$WINEPREFIX\" " "$1" 2>/dev/null
}

removed=0
remove_path() {
  if [ -e "$1" ] || [ -L "$1" ]; then
    rm -rf -- "$1"
    echo "play: removed $1"
    removed=$((removed + 1))
  fi
}

# Removes the game's data folder (its prefix), our launcher, icons and desktop
# copy, the game's desktop shortcut, and the entries, menus and icons Wine's menu
# builder made for this prefix; nothing else.
uninstall() {
  local desktop
  desktop=$(desktop_dir)
  if [ -d "$WINEPREFIX" ] && command -v wineserver >/dev/null; then wineserver -k 2>/dev/null || true; fi

  local entry icon rel menu
  local -a entries=() icons=()
  while IFS= read -r -d '' entry; do
    made_by_wine_here "$entry" && entries+=("$entry")
  done < <(find "$apps_dir/wine" -name '*.desktop' -type f -print0 2>/dev/null
           find "$desktop" -maxdepth 1 -name '*.desktop' -type f -print0 2>/dev/null)
  for entry in "${entries[@]}"; do
    icon=$(sed -n 's/^Icon=//p' "$entry" | head -n 1)
    [ -n "$icon" ] && icons+=("$icon")
    case "$entry" in
      "$apps_dir/wine/"*)
        rel=${entry#"$apps_dir/wine/"}
        menu="$menus_dir/wine-${rel//\//-}"
        remove_path "${menu%.desktop}.menu" ;;
    esac
    remove_path "$entry"
  done
  for icon in "${icons[@]}"; do
    case "$icon" in */*) continue ;; esac  # only names of the icon theme
    for entry in "$icons_dir"/*/apps/"$icon".png; do remove_path "$entry"; done
  done
  find "$apps_dir/wine" -depth -type d -empty -delete 2>/dev/null || true
  # Wine's menu folders, once no menu of any prefix names them any more.
  local folder
  for folder in "${XDG_DATA_HOME:-$HOME/.local/share}"/desktop-directories/wine-*.directory; do
    [ -f "$folder" ] || continue
    grep -rqF "<Directory>${folder##*/}</Directory>" "$menus_dir" 2>/dev/null || remove_path "$folder"
  done

  [ -f "$launcher" ] && grep -qxF "$launcher_mark" "$launcher" && remove_path "$launcher"
  [ -f "$desktop/Bluffwick.desktop" ] && grep -qxF "$launcher_mark" "$desktop/Bluffwick.desktop" &&
    remove_path "$desktop/Bluffwick.desktop"
  remove_path "$icons_dir/48x48/apps/bluffwick.png"
  remove_path "$icons_dir/256x256/apps/bluffwick.png"
  # The shortcut the game made: a shell link aimed at C:\Bluffwick\bluffwick.exe.
  [ -f "$desktop/Bluffwick.lnk" ] && grep -qaF 'C:\Bluffwick\bluffwick.exe' "$desktop/Bluffwick.lnk" &&
    remove_path "$desktop/Bluffwick.lnk"
  remove_path "$data"
  [ "$removed" -gt 0 ] || echo "play: nothing to remove"
}
